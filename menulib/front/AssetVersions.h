// The versions of the library's three groups of files, from the version records "Arcade" (required),
// "Application" and "Channel" (each may be missing, which is version 0).
#pragma once
#include <memory>

#include "foundation/CString.h"

class CAssetVersionInfo;

class AssetVersions {
public:
    // Built on first use; a missing "Arcade" record ends the process.
    static AssetVersions& Instance();
    // Forgets the records, which a new start of the library reads again.
    static void Invalidate();

    int GetArcadeVersion() const { return VersionOf(m_arcade); }
    int GetApplicationVersion() const { return VersionOf(m_application); }
    int GetChannelVersion() const { return VersionOf(m_channel); }
    CString GetArcadeVersionText() const { return TextOf(m_arcade); }
    CString GetApplicationVersionText() const { return TextOf(m_application); }
    CString GetChannelVersionText() const { return TextOf(m_channel); }

private:
    AssetVersions();
    static int VersionOf(const CAssetVersionInfo* record);
    static CString TextOf(const CAssetVersionInfo* record);

    CAssetVersionInfo* m_arcade;
    CAssetVersionInfo* m_application;
    CAssetVersionInfo* m_channel;
};
