#pragma once
// Many handlers skip a failing statement and go on; a condition that cannot be evaluated takes
// its first branch. These two helpers are the only places that swallow such failures, so the
// handlers read like the behaviour they implement.
#include <exception>
#include <string>
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
