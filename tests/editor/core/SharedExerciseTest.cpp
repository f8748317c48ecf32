// Exercise files of an installed program folder belong to root. A user who
// may not write one must be told so when opening it, not at every save.
#include "EditorTestSupport.h"

#include "editor/core/DiskEditorFiles.h"
#include "editor/core/SentenceEditor.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
// A file every Debian system has, owned by root and readable by everybody.
constexpr const char* kRootsFile = "/etc/passwd";

enum ChildResult { ReadOnly = 10, Writable = 11, NoAttribute = 12, StillOpened = 13, Refused = 14 };

// Runs the check as an ordinary user: in a child that gives up root when
// the tests run as root.
int AsOrdinaryUser(int (*check)()) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(1);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int AttributeOfRootsFile() {
    DiskEditorFiles files;
    const std::optional<bool> readOnly = files.ReadOnlyAttribute(kRootsFile);
    if (!readOnly)
        return NoAttribute;
    return *readOnly ? ReadOnly : Writable;
}

int OpenRootsFile() {
    DiskEditorFiles files;
    return StaysReadOnly(files, kRootsFile) ? Refused : StillOpened;
}

struct SharedCase {
    const char* name;
    int (*check)();
    int expected;
};

class SharedFile : public ::testing::TestWithParam<SharedCase> {};

TEST_P(SharedFile, IsReadOnlyForAnOrdinaryUser) {
    struct stat st {};
    ASSERT_EQ(::stat(kRootsFile, &st), 0);
    ASSERT_EQ(st.st_uid, 0u);
    ASSERT_NE(st.st_mode & S_IWUSR, 0u) << "the owner's bit alone says writable";
    EXPECT_EQ(AsOrdinaryUser(GetParam().check), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Checks, SharedFile,
                         ::testing::Values(SharedCase{"Attribute", AttributeOfRootsFile, ReadOnly},
                                           SharedCase{"OpenIsRefused", OpenRootsFile, Refused}),
                         [](const ::testing::TestParamInfo<SharedCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
