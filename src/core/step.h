#pragma once
// Many handlers skip a failing statement and go on; a condition that cannot be evaluated takes
// its first branch. These two helpers are the only places that swallow such failures, so the
// handlers read like the behaviour they implement.
#include <utility>

// Thrown by App::endProgram: the program ends at once, unwinding every handler on the stack.
// Nothing may swallow it.
struct ProgramEnded {};

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
