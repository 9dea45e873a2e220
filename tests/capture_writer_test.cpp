// The capture writer puts records into words off the relay's path, yet
// loses none: a record is in the file by the next flush, a writer that holds
// kMostPending bytes of records writes them at once, and a comment keeps
// its place among the records.
#include "tools/capture/capture_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string text_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CaptureWriter, WritesEachRecordByTheNextFlushInItsPlace) {
    const std::string path = ::testing::TempDir() + "writer_test.txt";
    const std::string partial = path + ".partial";
    capture::Writer writer;
    ASSERT_TRUE(writer.open(path));
    const sim::Bytes keep_alive = sim::tiny_record(0);
    writer.record(5, capture::From::kSimulator, keep_alive.data(), keep_alive.size());
    writer.comment("between");
    writer.record(6, capture::From::kClient, keep_alive.data(), keep_alive.size());
    ASSERT_TRUE(writer.flush());
    EXPECT_EQ(text_of(partial),
              "# insim capture 2\n5 S IS_TINY SubT=TINY_NONE\n# between\n6 C IS_TINY "
              "SubT=TINY_NONE\n");

    // Held bytes beyond the bound are written without a flush.
    const std::size_t before = text_of(partial).size();
    for (std::size_t held = 0; held < capture::kMostPending; held += keep_alive.size()) {
        writer.record(7, capture::From::kSimulator, keep_alive.data(), keep_alive.size());
    }
    {
        // Closed before finish: Windows does not move a file that is open.
        std::ifstream in(partial, std::ios::binary);
        in.seekg(0, std::ios::end);
        // stdio may still hold the last lines; the file has grown by more than that.
        EXPECT_GT(static_cast<std::size_t>(in.tellg()), before + 4096);
    }

    ASSERT_TRUE(writer.finish());
    std::string error;
    const auto capture = capture::read_capture(path, error);
    ASSERT_TRUE(capture) << error;
    EXPECT_EQ(capture->entries.size(), 2 + capture::kMostPending / keep_alive.size());
    std::filesystem::remove(path);
}

}  // namespace
