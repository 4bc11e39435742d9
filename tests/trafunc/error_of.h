#pragma once
#include <string>

#include "common/error.h"

// The message a call raises, or "" when it returns normally.
template <typename F>
std::string errorOf(F&& f) {
    try {
        f();
    } catch (const novra::CError& e) {
        return e.message();
    }
    return "";
}
