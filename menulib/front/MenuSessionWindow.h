// The window of a running menu session: the form manager that runs the referral menu form "TAReferralLayout" at the
// session's scale, with the session's cursors and the substitution variables that tell its pages about the host
// application, the portal's addresses, the file versions and the featured application.
#pragma once
#include <cstddef>

#include "forms/FormManager.h"

class MenuSessionWindow : public FormManager {
public:
    static constexpr const char* kFormName = "TAReferralLayout";

    MenuSessionWindow(CJWindow* parent, int menuType, float scale);

    // Made in and returned to the small-block pool.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    // Answers from the window's own focus, not its parent's.
    bool IsActive() const override { return HasFocus(); }

private:
    void AddSessionSubstitutions();
};

// The sequence of that name in the sequence collection; a missing one ends the process.
class CSequence;
CSequence* RequiredSequence(const char* name);
