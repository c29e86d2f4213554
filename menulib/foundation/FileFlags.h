// The flags of CFile::Open.
#pragma once

enum FileOpenFlags : int {
    kFileCreate = 0x1,  // with write: create or truncate; with a ';' in the path, add an archive member
    kFileWrite = 0x2,   // without create: open for update
    kFileRead = 0x4,
    kFileOwnHandle = 0x10,     // archive member streams get their own handle on the archive file
    kFileAbsolute = 0x20,      // the path as given: no base folder, no archives
    kFileNotOnDisk = 0x40,     // only archive members are tried
    kFileAbsoluteMark = 0x80,  // set with 0x20 when the path itself is absolute
    kFileMakeFolders = 0x100,  // create missing folders when creating a file fails
    kFileInMemory = 0x200,     // load the whole file into a memory stream on open
    kFileArchiveFile = 0x400,  // the archive reader's own file; a font reader's stream
    kFileCompressed = 0x800,   // the file holds one compressed block
    kFileClearReadOnly = 0x1000,
    kFileListedOnly = 0x8000,  // only archive members that the last file search marked
};
