#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataLn4.h"
#include "K7DataTestSupport.h"

namespace {

using K7DataBoundedDecode = K7DataLogCapture;

struct MalformedCase {
    const char* name;
    std::string bytes;
    const char* reason;
    const char* tag;
    long offset;  // -1: not checked
};

std::string deeplyNested(int levels) {
    auto root = std::make_unique<K7DataCtg>();
    K7DataGroup* inner = root.get();
    for (int i = 1; i < levels; ++i) {
        auto* child = new K7DataCtg();
        inner->addContents(child);
        inner = child;
    }
    return encoded(*root);
}

std::vector<MalformedCase> malformedCases() {
    const std::string eightBytes = u32le(1) + u32le(2);
    return {
        {"empty buffer", "", "header runs past", "ctg", 0},
        {"three bytes", "ctg", "header runs past", "ctg", 0},
        {"255 without its four bytes", "ctg" + u8(255) + u16le(1), "long header runs past", "ctg", 0},
        {"content past the buffer", "ctg" + u8(5) + "abc", "content runs past", "ctg", 0},
        {"child past its parent", "ctg" + u8(6) + record("dcn", "road"), "content runs past", "dcn", 4},
        {"grandchild past its parent",
         record("ctg", "ctg" + u8(6) + record("dcn", "road")) + "pad", "content runs past", "dcn", 8},
        {"child 255 without its four bytes", record("ctg", "dcn" + u8(255) + u16le(0)),
         "long header runs past", "dcn", 4},
        {"child header cut by its parent", record("ctg", "dc"), "child header runs past", "ctg", 4},
        {"child header cut after a child", record("ctg", record("und", "") + "dcn"),
         "child header runs past", "ctg", 8},
        {"groups nested too deep", deeplyNested(K7DataBase::MAX_NESTING + 5), "nested too deep",
         "ctg", -1},
    };
}

// Value records that do not fit their layout; each is decoded inside a "ctg",
// so its offsets count from the group's content.
std::vector<MalformedCase> malformedValueCases() {
    const std::string eightBytes = u32le(1) + u32le(2);
    return {
        {"line of a partial coordinate", record("ln4", "1234567"), "does not fit", "ln4", 4},
        {"ring count past the record", record("py4", u32le(5) + u32le(1) + eightBytes),
         "ring count runs past", "py4", 4},
        {"ring count past the last ring", record("py4", u32le(3) + u32le(1) + eightBytes),
         "ring count runs past", "py4", 20},
        {"point count past the record", record("py4", u32le(1) + u32le(2) + eightBytes),
         "point count runs past", "py4", 8},
        {"bytes after the last ring", record("py4", u32le(1) + u32le(0) + "xx"),
         "bytes left after the last ring", "py4", 12},
        {"polygon without ring count", record("py2", "ab"), "does not fit", "py2", 4},
        {"pup-line point count past the record", record("tf4", u32le(3) + eightBytes + "t"),
         "point count runs past", "tf4", 4},
        {"pixel image shorter than its header",
         record("iu1", u8(1) + u16le(2) + u16le(2) + "abc"), "shorter than its header", "iu1", 4},
        {"pixel image of a partial sample", record("iu2", u8(1) + u16le(1) + u16le(1) + "abc"),
         "does not fit", "iu2", 4},
        {"pixel image without its header", record("ii1", "abcd"), "does not fit", "ii1", 4},
        {"number of the wrong length", record("scl", "ab"), "does not fit", "scl", 4},
        {"colour of the wrong length", record("pyc", "abc"), "does not fit", "pyc", 4},
        {"position of the wrong length", record("ofs", eightBytes), "does not fit", "ofs", 4},
        {"point of the wrong length", record("pt4", u32le(1)), "does not fit", "pt4", 4},
        {"date of the wrong length", record("upd", "20261211"), "does not fit", "upd", 4},
        {"column without position", record("clm", ""), "does not fit", "clm", 4},
        {"display flags of two bytes", record("dfg", "ab"), "does not fit", "dfg", 4},
    };
}

void expectRefused(const MalformedCase& c) {
    SCOPED_TRACE(c.name);
    // An exact-size heap copy, so that a read past the end trips the sanitizers.
    std::vector<char> buffer(c.bytes.begin(), c.bytes.end());
    K7DataCtg root;
    root.addContents(new K7DataDcn());
    bool decoded = true;
    const std::string log =
        logOf([&] { decoded = root.setBinaryBounded(buffer.data(), buffer.size()); });
    EXPECT_FALSE(decoded);
    EXPECT_TRUE(root.getContents().empty());
    EXPECT_EQ(root.getSize(), 0u);

    EXPECT_NE(log.find("[error]"), std::string::npos) << log;
    EXPECT_NE(log.find(c.reason), std::string::npos) << log;
    EXPECT_NE(log.find(std::string(" tag: ") + c.tag + " "), std::string::npos) << log;
    if (c.offset >= 0) {
        EXPECT_NE(log.find(" offset: " + std::to_string(c.offset) + " "), std::string::npos) << log;
    }
}

TEST_F(K7DataBoundedDecode, MalformedRecordsAreRefusedWithTheirReason) {
    for (const MalformedCase& c : malformedCases()) expectRefused(c);
}

TEST_F(K7DataBoundedDecode, MalformedValuesAreRefusedWithTheirReason) {
    for (MalformedCase c : malformedValueCases()) {
        c.bytes = record("ctg", c.bytes);
        c.offset += 4;
        expectRefused(c);
    }
}

// Every proper prefix of a well-formed tree is refused; the whole decodes.
TEST_F(K7DataBoundedDecode, EveryTruncationOfAWellFormedTreeIsRefused) {
    K7DataCtg tree;
    auto* section = new K7DataCtg();
    auto* line = new K7DataLn4();
    line->editContents().addCoord(1, 2);
    line->editContents().addCoord(3, 4);
    section->addContents(line);
    auto* name = new K7DataDcn();
    name->editContents().assign(300, 'n');
    section->addContents(name);
    tree.addContents(section);
    const std::string bytes = encoded(tree);

    for (size_t length = 0; length < bytes.size(); ++length) {
        std::vector<char> buffer(bytes.begin(), bytes.begin() + length);
        K7DataCtg decoded;
        bool ok = true;
        const std::string log = logOf([&] { ok = decoded.setBinaryBounded(buffer.data(), length); });
        EXPECT_FALSE(ok) << length;
        EXPECT_TRUE(decoded.getContents().empty()) << length;
        EXPECT_NE(log.find("[error]"), std::string::npos) << length;
    }
    std::vector<char> buffer(bytes.begin(), bytes.end());
    K7DataCtg decoded;
    bool ok = false;
    const std::string log = logOf([&] { ok = decoded.setBinaryBounded(buffer.data(), buffer.size()); });
    ASSERT_TRUE(ok);
    expectSameTree(tree, decoded);
    EXPECT_EQ(log, "");
}

TEST_F(K7DataBoundedDecode, BytesAfterTheRecordAreNotRead) {
    const std::string bytes = record("ctg", record("dcn", "road")) + "trailing";
    K7DataCtg decoded;
    ASSERT_TRUE(decoded.setBinaryBounded(bytes.data(), bytes.size()));
    EXPECT_EQ(decoded.getSizeAll(), bytes.size() - 8);
}

TEST_F(K7DataBoundedDecode, NestingUpToTheLimitDecodes) {
    const std::string bytes = deeplyNested(K7DataBase::MAX_NESTING);
    K7DataCtg decoded;
    EXPECT_TRUE(decoded.setBinaryBounded(bytes.data(), bytes.size()));
    EXPECT_EQ(encoded(decoded), bytes);
}

TEST_F(K7DataBoundedDecode, NullBufferIsRefused) {
    K7DataCtg decoded;
    bool ok = true;
    const std::string log = logOf([&] { ok = decoded.setBinaryBounded(nullptr, 10); });
    EXPECT_FALSE(ok);
    EXPECT_NE(log.find("no buffer"), std::string::npos);
}

}  // namespace
