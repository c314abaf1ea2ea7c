// ConvertPathType: converts a path into another kind of path (PATH_ kinds):
// between bare names, firmware paths ("/" is the disk root) and libc paths
// below /mnt/hd, folders and files.
//
//   from \ to      name         firmware folder   libc folder       firmware file   libc file
//   name           -            CWD/              /mnt/hd CWD/      CWD/name        /mnt/hd CWD/name
//   fw folder      empty        -                 /mnt/hd abs/      empty           empty
//   libc folder    empty        path - /mnt/hd    -                 empty           the path
//   fw file        last part    folder part/      /mnt/hd folder/   -               /mnt/hd abs
//   libc file      last part    folder - /mnt/hd  folder part/      path - /mnt/hd  -
//
// CWD is the working directory (HDD_TAP_GetCurrentDir); abs is the path,
// below CWD when relative; the folder part is everything before the last
// "/".  Folder results end in "/".  A libc path outside /mnt/hd has no
// firmware form; a libc file without any "/" (a name libc found relative to
// the program's own folder) has no folder part: both give the empty text.
//
// Contract: the destination must hold PATH_Capacity (512) bytes; it receives
// the converted path, or the empty text when there is none or it would not
// fit.  A wanted kind above 4, or a null path or destination, writes
// nothing.
#include "files_private.h"

namespace {

struct Builder {
    char text[PATH_Capacity];
    int ok;
};

void add(Builder* builder, const char* text) {
    if (builder->ok) builder->ok = AppendText(builder->text, sizeof builder->text, text);
}

void addPart(Builder* builder, const char* text, size_t length) {
    char part[PATH_Capacity];
    if (length >= sizeof part) {
        builder->ok = 0;
        return;
    }
    memcpy(part, text, length);
    part[length] = 0;
    add(builder, part);
}

void addFinalSlash(Builder* builder) {
    if (builder->ok && !StringEndsWith(builder->text, "/")) add(builder, "/");
}

// The path, below the working directory when it is relative.
void addAbsolute(Builder* builder, const char* path) {
    if (path[0] != '/') {
        char workingDirectory[PATH_Capacity] = "";
        HDD_TAP_GetCurrentDir(workingDirectory);
        add(builder, workingDirectory);
        addFinalSlash(builder);
    }
    add(builder, path);
}

// Everything before the last "/" of text (empty when it has none).
size_t folderPartLength(const char* text) {
    const char* slash = strrchr(text, '/');
    return slash ? (size_t)(slash - text) : 0;
}

// Writes the conversion into out; returns 0 when the table has none.
int convert(const char* path, int from, int to, Builder* out) {
    const char* slash = strrchr(path, '/');
    switch (from * 10 + to) {
    case PATH_Name * 10 + PATH_FirmwareFolder:
    case PATH_Name * 10 + PATH_LibcFolder:
    case PATH_Name * 10 + PATH_FirmwareFile:
    case PATH_Name * 10 + PATH_LibcFile: {
        char workingDirectory[PATH_Capacity] = "";
        HDD_TAP_GetCurrentDir(workingDirectory);
        if (to == PATH_LibcFolder || to == PATH_LibcFile) add(out, DISK_ROOT);
        add(out, workingDirectory);
        if (to == PATH_FirmwareFile || to == PATH_LibcFile) {
            addFinalSlash(out);
            add(out, path);
        }
        return 1;
    }
    case PATH_FirmwareFolder * 10 + PATH_LibcFolder:
    case PATH_FirmwareFile * 10 + PATH_LibcFile:
        add(out, DISK_ROOT);
        addAbsolute(out, path);
        return 1;
    case PATH_LibcFolder * 10 + PATH_FirmwareFolder:
    case PATH_LibcFile * 10 + PATH_FirmwareFile:
        if (!IsOnDisk(path)) return 0;
        add(out, path + DISK_ROOT_Length);
        return 1;
    case PATH_LibcFolder * 10 + PATH_LibcFile:
        add(out, path);
        return 1;
    case PATH_FirmwareFile * 10 + PATH_Name:
    case PATH_LibcFile * 10 + PATH_Name:
        add(out, slash ? slash + 1 : path);
        return 1;
    case PATH_FirmwareFile * 10 + PATH_FirmwareFolder:
        addPart(out, path, folderPartLength(path));
        return 1;
    case PATH_FirmwareFile * 10 + PATH_LibcFolder: {
        Builder absolute = {"", 1};
        addAbsolute(&absolute, path);
        if (!absolute.ok) {
            out->ok = 0;
            return 1;
        }
        add(out, DISK_ROOT);
        addPart(out, absolute.text, folderPartLength(absolute.text));
        return 1;
    }
    case PATH_LibcFile * 10 + PATH_FirmwareFolder:
        if (!slash || !IsOnDisk(path)) return 0;
        addPart(out, path + DISK_ROOT_Length, folderPartLength(path) - DISK_ROOT_Length);
        return 1;
    case PATH_LibcFile * 10 + PATH_LibcFolder:
        if (!slash) return 0;
        addPart(out, path, folderPartLength(path));
        return 1;
    default:  // no meaningful conversion
        return 0;
    }
}

}  // namespace

extern "C" void ConvertPathType(const char* path, char* destination, int wantedKind) {
    if (!path || !destination || wantedKind < PATH_Name || wantedKind > PATH_LibcFile) return;
    int kind = GetPathType(path);
    Builder out = {"", 1};
    int converted = 1;
    if (kind == wantedKind)
        add(&out, path);
    else
        converted = convert(path, kind, wantedKind, &out);
    if (converted && (wantedKind == PATH_FirmwareFolder || wantedKind == PATH_LibcFolder))
        addFinalSlash(&out);
    if (!converted || !out.ok) out.text[0] = 0;
    strcpy(destination, out.text);
}
