#pragma once
// Shared set-up of the forms runtime's tests: Form1's description run by the
// runtime against the fake, with what each test does once the window shows
// given as steps, run whenever the message queue is empty.

#include "app/form1_description.h"
#include "fake_win32.h"
#include "forms/form.h"
#include "forms/layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// What the tests' handlers saw, in order.
inline std::vector<std::string>& Heard() {
    static std::vector<std::string> heard;
    return heard;
}

class FormTest : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        Heard().clear();
    }

    // Runs `form` until the steps have run and the queue is empty; the exit
    // code of Run.
    int RunWith(forms::Form& form, std::vector<std::function<void()>> steps) {
        fake::script().idleSteps = std::move(steps);
        return form.Run(reinterpret_cast<HINSTANCE>(0x400000));
    }

    static std::vector<std::string> CallNamesAmong(const std::vector<std::string>& wanted) {
        std::vector<std::string> found;
        for (const std::string& name : fake::CallNames()) {
            for (const std::string& one : wanted) {
                if (name == one) found.push_back(name);
            }
        }
        return found;
    }
};
