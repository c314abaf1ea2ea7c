// The screens' own texts are ISO-8859-1 in the plug-in (one byte each for
// ä ö ß and the degree sign), though the sources are written in UTF-8: the
// text output converts them, and the router's UTF-8 names pass as they are.
// Checked in the built plug-in library itself.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string PluginLibrary() {
    std::ifstream in(STECKWART_PLUGIN_LIBRARY, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A text with its terminator.
template <size_t N>
std::string Terminated(const char (&text)[N]) {
    return std::string(text, N);
}

TEST(ScreenTexts, AreStoredAsIso8859_1) {
    const std::string library = PluginLibrary();
    ASSERT_GT(library.size(), 1000u) << STECKWART_PLUGIN_LIBRARY;
    struct {
        const char* name;
        std::string latin1;  // as it must be stored, with its terminator
        std::string utf8;    // as it must not be
    } const texts[] = {
        {"a umlaut", Terminated("Energie Messger\xE4t"), "Energie Messger\xC3\xA4t"},
        {"o umlaut and sharp s", Terminated("Ventilst\xF6\xDF" "el frei?"),
         "Ventilst\xC3\xB6\xC3\x9F" "el"},
        {"degree sign", Terminated("%1.1f\xB0" "C"), "%1.1f\xC2\xB0" "C"},
        {"degree sign in the panel", Terminated("Temperatur Offset %1.1f\xB0" "C"),
         "Offset %1.1f\xC2\xB0"},
        {"next switching time", Terminated("n\xE4" "chste Umschaltung ---"), "n\xC3\xA4" "chste"},
        {"noise sensor", Terminated("Ger\xE4usch" "sensor"), "Ger\xC3\xA4usch"},
        {"an empty list", Terminated("Keine Ger\xE4te"), "Keine Ger\xC3\xA4te"},
    };
    for (const auto& text : texts) {
        EXPECT_NE(library.find(text.latin1), std::string::npos) << text.name;
        EXPECT_EQ(library.find(text.utf8), std::string::npos) << text.name;
    }
}

}  // namespace
