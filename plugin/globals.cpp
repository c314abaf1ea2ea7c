// The plug-in's own state (see plugin.h): the main loop is not running, no
// region, the detail panel closed and the four font handles empty at load.
#include "plugin.h"

extern "C" {

int32_t _Tapon = 0;
uint16_t _rgn = 0;
int32_t _info = 0;

FontDataUC Calibri_10_FontDataUC;
FontDataUC Calibri_12_FontDataUC;
FontDataUC Calibri_16_FontDataUC;
FontDataUC Calibri_18_FontDataUC;
}
