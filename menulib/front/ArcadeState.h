// The library's one central record: who the host application is, how the library was set up from the registry,
// the size and placement of the current menu, the objects of the running menu session and the flags that the
// exported functions test. Made on first use, destroyed when the library goes.
#pragma once
#include <cstdint>
#include <memory>

#include "foundation/CString.h"
#include "ui/PtrArray.h"

class CArcadeApplicationInformation;
class CDirtyRectFrame;
class CObject;
class CScreenWindow;

class ArcadeState {
public:
    ArcadeState();
    ~ArcadeState();
    ArcadeState(const ArcadeState&) = delete;
    ArcadeState& operator=(const ArcadeState&) = delete;

    // Ends the running session: its pending objects are deleted and the session's forms are closed.
    void EndMenuSession();
    // An object that lives until the session ends (owned from now on).
    void AddPendingObject(CObject* object);
    int GetPendingObjectCount() const { return static_cast<int>(PendingObjects.GetCount()); }

    // Catalog queries (the list "Main" and the game information files).
    CArcadeApplicationInformation* FindApplicationInformation(int id);
    int GetFeaturedApplicationID();
    // Entry i of the list, wrapping past its end; kNoApplication when the list is empty.
    int GetTopApplicationID(int i);
    int GetOtherApplicationID(int i);
    static constexpr int kNoApplication = -1;

    // The catalog screens: the game information page of an application, and the filter of the list page.
    void ShowGameInformation(int id);
    void SelectFilter(int index);

    // Filled by the menu session: closes every page of the current form manager and the manager itself.
    void (*closeSessionForms)() = nullptr;

    double LastFrameTime = 0;
    int ApplicationID = -1;
    CString ApplicationName;
    float Price = 0;
    int ChannelID = 0;
    int ApplicationNumber = 0;
    bool DebugBuild = true;
    int DebugMode = 0;
    int LibVersion = 0;
    bool Initialized = false;
    bool InitializeSucceeded = false;  // the last TA_Initialize loaded the library's files
    bool SessionEntered = false;
    bool RectsQueried = false;
    bool MinimalDrawSeen = false;
    bool RectSystemUsed = false;
    bool AnySessionEntered = false;
    bool Initializing = false;
    bool SessionRunning = false;
    int MenuWidth = 0;
    int MenuHeight = 0;
    float Scale = 0;
    int OffsetY = 0;
    int OffsetX = 0;
    void* FirstFrameBuffer = nullptr;
    std::int16_t MenuType = 0;
    bool FirstSessionPending = false;
    bool HostWindowKnown = false;
    std::unique_ptr<CDirtyRectFrame> ScreenSurface;
    CScreenWindow* ScreenWindow = nullptr;  // owned; closed when the state goes
    void* UpdateRects = nullptr;
    bool AlwaysConnected = false;
    bool LastWebAccessSucceeded = true;
    PtrArray PendingObjects;  // of CObject*, owned through EndMenuSession
    bool SystemUpdateRequired = false;
    bool DoneFirstSharedUpdate = false;
};

ArcadeState& GetArcadeState();
