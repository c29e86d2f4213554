// The version number an archive carries in its version member (a text property file of a `CAssetVersionInfo`).
#pragma once

// 0 when the archive cannot be opened, lacks the member or the member is not a version record. An answer is kept
// while the archive file's size, time and identity stay the same, so that asking every frame reads nothing.
int ReadArchiveVersion(const char* archivePath, const char* versionMember);
