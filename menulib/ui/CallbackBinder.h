// The action a toolkit button runs when it is clicked, double-clicked, right-clicked or hovered: a bound call that
// the button owns. A bound state query, when there is one, gives the button its enabled state. Two kinds bind the
// form engine's events: a plain function with one argument (a form action run through RunFormAction), and an
// operation of an object (a control reading its window back).
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

// Calls a plain function with the argument it was given.
template <typename Argument>
class FunctionBinder : public CallbackBinder {
public:
    using Function = bool (*)(Argument);
    FunctionBinder(Function function, Argument argument) : m_function(function), m_argument(argument) {}
    bool Fire() override { return m_function(m_argument); }

private:
    Function m_function;
    Argument m_argument;
};

// Calls an operation of an object (not owned).
template <typename Object>
class MemberBinder : public CallbackBinder {
public:
    using Operation = bool (Object::*)();
    MemberBinder(Object* object, Operation operation) : m_object(object), m_operation(operation) {}
    bool Fire() override { return (m_object->*m_operation)(); }

private:
    Object* m_object;
    Operation m_operation;
};
