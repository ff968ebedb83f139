#pragma once
// A clean state record and clean fakes for the tests that run start-up, the command line and the popup
// cycle: a program at C:\Tools\Vorlix.exe, working directory C:\Work, a 1000 x 800 work area.
#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "core/text.h"
#include "platform/fake/fake_menus.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/fake_window_geometry.h"
#include "test_support.h"

class StartupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetUi();
        fake::resetWindowGeometry();
        fake::resetMenus();
        fake::ui().workArea = {0, 0, 1000, 800};
    }

    // The process command line: the program's name, then args.
    static void commandLine(const std::u16string& args) {
        fake::environment().commandLine = u"\"C:\\Tools\\Vorlix.exe\" " + args;
    }

    static std::u16string variable(const std::u16string& name) {
        auto& vars = fake::environment().variables;
        auto it = vars.find(vorlix::upperCase(name));
        return it == vars.end() ? u"<unset>" : it->second;
    }
};
