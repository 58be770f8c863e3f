// The host's files, the image buffer and the byte streams through it.
#include "files/source.h"
#include "platform/file.h"
#include "files/pictures.h"

#include <filesystem>

namespace {

using test::list;
using test::slurp;
using test::temp_path;

std::vector<uint8_t> counting(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + i / 251);
    return v;
}

class FileStreams : public test::Library {
protected:
    void TearDown() override {
        host::memory_file_clear();
        host::file_fail_writes_after(-1);
        test::Library::TearDown();
    }
};

TEST_F(FileStreams, HostFilesRefuseWhatIsNotAnOpenFile) {
    const std::string name = temp_path(".bin");
    EXPECT_EQ(host::file_open(name.c_str()), 0);
    EXPECT_EQ(host::file_open(RSW32_TEST_OUTPUT_DIR), 0) << "a directory is no file";
    const int out = host::file_create_replacement(name.c_str());
    ASSERT_GT(out, 0);
    EXPECT_EQ(host::file_write(out, "abcdef", 6), 6u);
    EXPECT_TRUE(host::file_commit(out));
    EXPECT_FALSE(host::file_commit(out)) << "committed once";
    uint8_t b[8]{};
    EXPECT_EQ(list<int64_t>(host::file_read(out, b, 4), host::file_size(out), host::file_seek(out, 0, host::from_start)),
              list<int64_t>(0, -1, -1));
    const int in = host::file_open(name.c_str());
    EXPECT_EQ(host::file_size(in), 6);
    EXPECT_EQ(host::file_seek(in, -2, host::from_end), 4);
    EXPECT_EQ(host::file_read(in, b, 8), 2u);
    EXPECT_EQ(host::file_seek(in, -1, host::from_start), -1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 2), "ef");
    host::file_close(in);
    std::filesystem::remove(name);
}

// The same bytes come through next(), read(), skip() and read_at() whatever the image
// buffer's size, from a file and from memory, and the stream ends in padding.
TEST_F(FileStreams, SourceDeliversEveryByteOnceAtAnyImageBufferSize) {
    const std::vector<uint8_t> data = counting(10000);
    host::memory_file_set("m.bin", data.data(), data.size());
    for (int size : {1, 7, 4096, 20000}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> caller(size_t(size), 0xEE);
        rs_imagebuf(caller.data(), size);
        files::Source s("m.bin", false);
        ASSERT_TRUE(s.opened());
        std::vector<uint8_t> got(3000);
        EXPECT_EQ(s.next(), data[0]);
        EXPECT_EQ(s.read(got.data(), got.size()), got.size());
        EXPECT_TRUE(std::equal(got.begin(), got.end(), data.begin() + 1));
        s.skip(5000);
        EXPECT_EQ(s.position(), 8001u);
        uint8_t tail[4]{};
        EXPECT_EQ(s.read_at(9998, tail, 4), 2u);
        EXPECT_EQ(list(tail[0], tail[1]), list(data[9998], data[9999]));
        EXPECT_EQ(s.next(), data[8001]);
        s.set_end(9000);
        s.set_padding(0xFF);
        EXPECT_EQ(s.read(got.data(), got.size()), 998u);
        EXPECT_EQ(s.next(), 0xFF);
        EXPECT_EQ(list<int>(s.exhausted(), int(s.position())), list(1, 9000));
    }
    std::vector<uint8_t> whole = data;
    rs_imagebuf(whole.data(), int(whole.size()));
    files::Source m(nullptr, true);
    m.skip(9998);
    EXPECT_EQ(m.u16(), uint32_t(data[9998] | data[9999] << 8));
    EXPECT_EQ(m.next(), 0);
    EXPECT_EQ(list<int>(m.exhausted(), int(m.size())), list(1, 10000));
}

TEST_F(FileStreams, GiveBackLeavesAKeptFileAtTheConsumedPosition) {
    const std::vector<uint8_t> data = counting(300);
    host::memory_file_set("k.bin", data.data(), data.size());
    const int f = host::file_open("k.bin");
    host::file_seek(f, 100, host::from_start);
    {
        files::Source s(f);
        EXPECT_EQ(s.position(), 100u);
        EXPECT_EQ(s.next(), data[100]);
        EXPECT_EQ(s.next(), data[101]);
        s.give_back();
    }
    EXPECT_EQ(host::file_seek(f, 0, host::from_current), 102);
    host::file_close(f);
}

TEST_F(FileStreams, SinkWritesThroughTheImageBufferOrLeavesNoFile) {
    const std::string name = temp_path(".bin");
    const std::vector<uint8_t> data = counting(5000);
    uint8_t small[5];
    rs_imagebuf(small, 5);
    {
        files::Sink out(name.c_str());
        out.write(data.data(), 4000);
        for (size_t i = 4000; i < 4998; ++i) out.put(data[i]);
        std::memcpy(out.reserve(2), &data[4998], 2);
        EXPECT_EQ(out.reserve(6), nullptr);
        EXPECT_TRUE(out.finish());
    }
    EXPECT_EQ(slurp(name), data);
    { files::Sink abandoned(name.c_str()); abandoned.put(1); }
    EXPECT_EQ(slurp(name), data) << "an unfinished replacement leaves the file as it was";
    host::file_fail_writes_after(4096);
    rs_imagebuf(nullptr, 0);
    files::Sink full(name.c_str());
    full.write(data.data(), data.size());
    EXPECT_FALSE(full.finish());
    EXPECT_EQ(slurp(name), data) << "so does one whose writes failed";
    const std::filesystem::path path(name);
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        EXPECT_NE(entry.path().filename().string().rfind(path.filename().string() + ".", 0), 0u) << entry.path() << " stayed behind";
    host::file_fail_writes_after(-1);
    std::filesystem::remove(name);
    { files::Sink fresh(name.c_str()); fresh.put(7); }
    EXPECT_EQ(host::file_open(name.c_str()), 0) << "an unfinished new file never appears";
}

TEST_F(FileStreams, ImageSizeFollowsTheActiveDepthAndRefusesOverflow) {
    for (int depth : {8, 16, 24, 32}) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(4, 4);
        rs_vbopen(vb);
        EXPECT_EQ(rs_imagesiz(10, 10), depth == 8 ? 100 : depth == 16 ? 200 : 300);
        rs_vbclose(), rs_vbfree(vb);
    }
    EXPECT_EQ(list(rs_imagesiz(-1, 5), rs_imagesiz(INT_MAX, INT_MAX), rs_imagesiz(0, INT_MAX)), list(-1, -1, 0));
}

}  // namespace
