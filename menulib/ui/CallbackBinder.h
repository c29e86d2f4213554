// The action a toolkit button runs when it is clicked, double-clicked, right-clicked or hovered: a bound call that
// the button owns. A bound state query, when there is one, gives the button its enabled state.
#pragma once

class CallbackBinder {
public:
    CallbackBinder() = default;
    virtual ~CallbackBinder() = default;
    CallbackBinder(const CallbackBinder&) = delete;
    CallbackBinder& operator=(const CallbackBinder&) = delete;

    // Runs the bound call and answers what it answers.
    virtual bool Fire() = 0;
    // The bound state query; true when none is bound.
    virtual bool QueryState() { return true; }
    virtual bool IsBound() const { return false; }
};
