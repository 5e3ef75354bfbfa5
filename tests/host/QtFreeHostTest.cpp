// The library as a host without Qt sees it: loaded with dlopen, its own
// application object created inside the first dialog call. A test-only driver
// library loaded beside it answers the dialogs.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "ExportDriver.h"
#include "brmdll32.h"

namespace {

template <class Function>
Function symbol(void* library, const char* name) {
    void* address = dlsym(library, name);
    EXPECT_NE(address, nullptr) << name;
    return reinterpret_cast<Function>(address);
}

class QtFreeHost : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(dlopen("libQt6Core.so.6", RTLD_NOW | RTLD_NOLOAD), nullptr) << "the test host must not link Qt";
        driver = dlopen(BRIMO_DRIVER_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(driver, nullptr) << dlerror();
        library = dlopen(BRIMO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        push = symbol<decltype(&brimo_driver_push)>(driver, "brimo_driver_push");
        log = symbol<decltype(&brimo_driver_log)>(driver, "brimo_driver_log");
    }

    static int16_t statementOptions(std::array<int16_t, 3>& out) {
        return symbol<decltype(&StatementOptions)>(library, "StatementOptions")(0, &out[0], &out[1], &out[2]);
    }

    static inline void* driver = nullptr;
    static inline void* library = nullptr;
    static inline decltype(&brimo_driver_push) push = nullptr;
    static inline decltype(&brimo_driver_log) log = nullptr;
};

TEST_F(QtFreeHost, DialogsRunInsideTheLibrarysOwnApplication) {
    std::array<int16_t, 3> choices{-1, -1, -1};
    push("set MinDays 9\nclick rbZipCode\nclick btnOK");
    EXPECT_EQ(statementOptions(choices), 1);
    EXPECT_EQ(choices, (std::array<int16_t, 3>{9, 0, 1}));

    std::array<char, 50> number{};
    std::array<char, 51> name{};
    std::array<char, 5> expiry{};
    std::array<char, 251> raw{};
    push("type ;4111111111111111=05121010000?\nkey Return");
    auto magStripeRead = symbol<decltype(&MagStripeRead)>(library, "MagStripeRead");
    EXPECT_EQ(magStripeRead(0, number.data(), name.data(), expiry.data(), raw.data()), 1);
    EXPECT_STREQ(number.data(), "4111111111111111");
    EXPECT_STREQ(raw.data(), ";4111111111111111=05121010000?");

    push("click btnOK");
    symbol<decltype(&OpenCashDrawer)>(library, "OpenCashDrawer")(27, 112, 1, 1, "/nonexistent/drawer", 0);

    EXPECT_EQ(
        std::string(log()),
        "Statement Processing Options\nMag Stripe Scan\nError|Unable to open /nonexistent/drawer: Return code: -1\n");
}

TEST_F(QtFreeHost, StaysUsableAfterTheHostUnloadsAndReloadsIt) {
    push("click btnCancel");
    std::array<int16_t, 3> choices{};
    EXPECT_EQ(statementOptions(choices), -1);
    ASSERT_EQ(dlclose(library), 0);
    library = dlopen(BRIMO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    push("click btnOK");
    EXPECT_EQ(statementOptions(choices), 1);
}

TEST_F(QtFreeHost, RefusesCallsFromAnotherThread) {
    push("click btnCancel");
    std::array<int16_t, 3> choices{-1, -1, -1};
    EXPECT_EQ(statementOptions(choices), -1) << "the first call makes this thread the user-interface thread";
    const std::string logBefore = log();
    int16_t result = 99;
    std::thread foreign([&] { result = statementOptions(choices); });
    foreign.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::string(log()), logBefore) << "no window may open on a foreign thread";
}

std::string runProbe(const std::string& environment, const char* exportName) {
    const std::string command =
        "env " + environment + " " BRIMO_PROBE_PATH " " BRIMO_LIBRARY_PATH " " + exportName + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe.release());
    output += "exit=" + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return output;
}

TEST(QtFreeHostProcess, GetsTheCreationFailureValueInsteadOfAnAbortWithoutDisplay) {
    const char* unset = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
    for (const std::string& environment :
         {std::string(unset), std::string(unset) + " DISPLAY=:4711", std::string(unset) + " QT_QPA_PLATFORM=xcb",
          std::string(unset) + " 'QT_QPA_PLATFORM=wayland;xcb'"}) {
        const std::string output = runProbe(environment, "StatementOptions");
        EXPECT_NE(output.find("result=0 "), std::string::npos) << environment << ": " << output;
        EXPECT_NE(output.find("exit=0"), std::string::npos) << environment << ": " << output;
    }
}

TEST(QtFreeHostProcess, LeavesTheHostsCLocaleAsItWas) {
    const std::string output = runProbe("QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8", "SelectOpenSO");
    EXPECT_NE(output.find("result=-1 locale-before=C locale-after=C\n"), std::string::npos) << output;
}

}  // namespace
