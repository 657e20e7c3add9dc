#pragma once
// Many handlers skip a failing statement and go on; a condition that cannot be evaluated takes
// its first branch. These two helpers are the only places that swallow such failures, so the
// handlers read like the behaviour they implement.
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

// Thrown by App::endProgram: the program ends at once, unwinding every handler on the stack.
// Nothing may swallow it.
struct ProgramEnded {};

// A call to a program outside this one that did not get through (EchoLink not answering). A
// handler may end on it by design; it is never a fault of this program.
class CallFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class F>
void step(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
    }
}

// `if (firstBranchOnFailure([&] { return a == b; }))`: true when the test itself failed.
template <class F>
bool firstBranchOnFailure(F&& test) {
    try {
        return static_cast<bool>(std::forward<F>(test)());
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        return true;
    }
}

// Who runs a step decides what its failure does: a timer's tick skips the failing statement and
// goes on; an operator's button ends there.
enum class OnFailure { SkipTheStep, EndTheHandler };

template <class F>
void stepUnder(OnFailure rule, F&& f) {
    if (rule == OnFailure::SkipTheStep)
        step(std::forward<F>(f));
    else
        std::forward<F>(f)();
}

// For unattended paths whose failures must reach the error log rather than vanish: runs a step;
// a failure hands its reason to `onFailure` and the step reports false.
template <class F, class OnFailure>
bool stepOr(F&& f, OnFailure&& onFailure) {
    try {
        std::forward<F>(f)();
        return true;
    } catch (const ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        onFailure(std::string(e.what()));
    } catch (...) {
        onFailure(std::string("unknown failure"));
    }
    return false;
}
