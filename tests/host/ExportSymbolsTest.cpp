#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string runCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        output += buffer;
    }
    return output;
}

// The function names the public header declares.
std::set<std::string> declaredExports() {
    std::ifstream header(BRIMO_SOURCE_DIR "/include/brmdll32.h");
    std::stringstream text;
    text << header.rdbuf();
    const std::string content = text.str();
    const std::regex declaration(R"(BRM_CALL\s+(\w+)\s*\()");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(content.begin(), content.end(), declaration); it != std::sregex_iterator();
         ++it) {
        names.insert((*it)[1]);
    }
    return names;
}

TEST(ExportedSymbols, AreExactlyTheFunctionsOfThePublicHeader) {
    const std::set<std::string> declared = declaredExports();
    ASSERT_EQ(declared.size(), 51u);

    const std::string listing = runCommand("nm -D --defined-only " BRIMO_LIBRARY_PATH);
    std::set<std::string> defined;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string address, type, name;
        fields >> address >> type >> name;
        // Lower-case types are local symbols that a sanitizer build leaves in
        // the table; nothing can bind to them.
        if (type.size() == 1 && std::islower(static_cast<unsigned char>(type[0]))) {
            continue;
        }
        EXPECT_EQ(type, "T") << line;
        defined.insert(name);
    }
    EXPECT_EQ(defined, declared);
}

// Without it a host that unloads the library would leave Qt pointing into
// unmapped code.
TEST(ExportedSymbols, LibraryStaysLoadedOnceLoaded) {
    const std::string dynamic = runCommand("readelf -d " BRIMO_LIBRARY_PATH);
    EXPECT_NE(dynamic.find("NODELETE"), std::string::npos) << dynamic;
}

}  // namespace
