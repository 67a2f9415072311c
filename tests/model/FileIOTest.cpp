#include "model/FileIO.h"

#include "support/HangGuard.h"
#include "support/TemporaryFolder.h"

#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

using namespace keyferry;
using keyferry::testing::finishesWithin;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

// "kind|message" of a read, or "read N bytes".
std::string outcomeOfReading(const std::filesystem::path& path, std::uint64_t maxBytes) {
    const auto read = readRegularFile(path, maxBytes);
    if (read)
        return "read " + std::to_string(read->size()) + " bytes";
    return std::to_string(static_cast<int>(read.error().kind)) + "|" + read.error().message;
}

std::string kindText(ReadFailure::Kind kind) {
    return std::to_string(static_cast<int>(kind)) + "|";
}

void makeSparseFile(const std::filesystem::path& path, off_t size) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    ASSERT_GE(fd.get(), 0);
    ASSERT_EQ(::ftruncate(fd.get(), size), 0) << "nothing is written: the file stays sparse";
}

} // namespace

// What is not a regular file is refused at once, by what it is, without reading from it: a
// named pipe without a writer would block the open, /dev/zero would fill the memory.
TEST(FileIO, RefusesWhatIsNotAFileAtOnce) {
    TemporaryFolder temp;
    const auto fifo = temp.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto zeroLink = temp.path() / "zero.csv";
    std::filesystem::create_symlink("/dev/zero", zeroLink);
    const auto socketPath = temp.path() / "socket";
    FileDescriptor listening(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address),
              0);

    const struct {
        std::filesystem::path path;
        std::string what;
    } cases[] = {
        {fifo, "a named pipe (FIFO)"},    {"/dev/zero", "a character device"},
        {zeroLink, "a character device"}, {temp.path(), "a folder"},
        {socketPath, "a socket"},
    };
    for (const auto& [path, what] : cases) {
        const auto outcome =
            finishesWithin(10, [&path = path] { return outcomeOfReading(path, 1 << 20); });
        ASSERT_TRUE(outcome) << path << ": the read blocked or crashed";
        EXPECT_EQ(*outcome, kindText(ReadFailure::Kind::notAFile) + path.string() + " is " + what +
                                ", not a file");
    }
}

// The size decides before anything is read: a sparse 5 GiB file costs no memory to refuse.
TEST(FileIO, RefusesFilesLargerThanTheLimitBySize) {
    TemporaryFolder temp;
    const auto file = temp.path() / "data";
    const struct {
        off_t size;
        std::uint64_t limit;
        bool readable;
    } cases[] = {
        {0, 0, true},
        {10, 10, true},
        {11, 10, false},
        {5ll << 30, (4ull << 30) - 2, false},
    };
    for (const auto& [size, limit, readable] : cases) {
        makeSparseFile(file, size);
        const auto outcome =
            finishesWithin(30, [&, limit = limit] { return outcomeOfReading(file, limit); });
        ASSERT_TRUE(outcome) << size;
        if (readable) {
            EXPECT_EQ(*outcome, "read " + std::to_string(size) + " bytes");
        } else {
            EXPECT_EQ(*outcome, kindText(ReadFailure::Kind::tooLarge) + file.string() + " holds " +
                                    std::to_string(size) + " bytes, more than the " +
                                    std::to_string(limit) + " bytes that can be read");
        }
    }
}

TEST(FileIO, ReadsFilesThatReportNoSizeUpToTheLimit) {
    const auto status = readRegularFile("/proc/self/status", 1 << 20);
    ASSERT_TRUE(status.hasValue()) << status.error().message;
    EXPECT_NE(status->find("Pid:"), std::string::npos);
    // /proc files report a size of 0: the limit holds for what is actually read.
    const auto limited = readRegularFile("/proc/self/status", 16);
    ASSERT_FALSE(limited.hasValue());
    EXPECT_EQ(limited.error().kind, ReadFailure::Kind::tooLarge);

    const auto missing = readRegularFile("/nonexistent/file", 1 << 20);
    ASSERT_FALSE(missing.hasValue());
    EXPECT_EQ(missing.error().kind, ReadFailure::Kind::cannotOpen);
    EXPECT_EQ(missing.error().message, "Cannot open /nonexistent/file: No such file or directory");
}

TEST(FileIO, ReadsTheWholeContentOfARegularFile) {
    TemporaryFolder temp;
    std::string content(300000, 'x');
    content += "end";
    writeText(temp.path() / "file", content);
    const auto read = readRegularFile(temp.path() / "file", content.size());
    ASSERT_TRUE(read.hasValue()) << read.error().message;
    EXPECT_EQ(*read, content);
}

TEST(FileIO, TemporaryNamesOfAtomicWrites) {
    const struct {
        const char* name;
        bool temporary;
    } cases[] = {
        {"templates.json.tmp-Ab3xYz", true},
        {"templates.json.tmp-000000", true},
        {"templates.json.tmp-Ab3xY", false},
        {"templates.json.tmp-Ab3xYz1", false},
        {"templates.json.tmp-Ab3-Yz", false},
        {"templates.json.tmp-Ab3xY.", false},
        {"other.json.tmp-Ab3xYz", false},
        {"xtemplates.json.tmp-Ab3xYz", false},
        {"templates.json.TMP-Ab3xYz", false},
        {"templates.json.unreadable-20261207", false},
        {"templates.json", false},
        {"templates.json.lock", false},
    };
    for (const auto& [name, temporary] : cases)
        EXPECT_EQ(isAtomicWriteTemporary(name, "templates.json"), temporary) << name;
}

// Only regular files count: a folder or a link of that name is not a write of ours.
TEST(FileIO, ListsTheTemporariesOfOneFileOnly) {
    TemporaryFolder temp;
    const auto file = temp.path() / "templates.json";
    writeText(file, "[]");
    writeText(temp.path() / "templates.json.tmp-abc123", "");
    writeText(temp.path() / "templates.json.tmp-abc12", "");
    writeText(temp.path() / "other.json.tmp-abc123", "");
    std::filesystem::create_directory(temp.path() / "templates.json.tmp-folder");
    std::filesystem::create_symlink(file, temp.path() / "templates.json.tmp-linked");
    EXPECT_EQ(atomicWriteTemporaries(file),
              std::vector<std::filesystem::path>{temp.path() / "templates.json.tmp-abc123"});
}
