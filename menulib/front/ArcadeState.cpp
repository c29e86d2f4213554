#include "front/ArcadeState.h"

#include "foundation/Object.h"
#include "frames/DirtyRectFrame.h"
#include "ui/ScreenWindow.h"

ArcadeState::ArcadeState() = default;

// The pending objects are not deleted here: only the end of a session deletes them. Their array goes back to
// the pool at its own size.
ArcadeState::~ArcadeState()
{
    if (ScreenWindow) ScreenWindow->Close();
    ScreenSurface.reset();
}

void ArcadeState::AddPendingObject(CObject* object) { PendingObjects.Append(object); }

void ArcadeState::EndMenuSession()
{
    for (std::uint32_t i = 0; i < PendingObjects.GetCount(); ++i) delete static_cast<CObject*>(PendingObjects[i]);
    PendingObjects.Free();
    if (closeSessionForms) closeSessionForms();
    SessionRunning = false;
}

ArcadeState& GetArcadeState()
{
    static ArcadeState state;
    return state;
}
