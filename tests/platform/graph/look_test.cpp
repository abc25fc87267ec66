#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "platform/graph/graph_look.h"

namespace {

// A look file built by hand: header, then entries.
class LookBytes {
public:
    explicit LookBytes(uint32_t count, uint16_t version = GraphLookVersion) {
        bytes_ = "LVXGLOOK";
        U16(version);
        U32(count);
    }
    LookBytes& Entry(int32_t id, int32_t curve) {
        U32(static_cast<uint32_t>(id));
        U32(static_cast<uint32_t>(curve));
        return *this;
    }
    LookBytes& Bool(uint8_t b) {
        bytes_ += '\0';
        bytes_ += static_cast<char>(b);
        return *this;
    }
    LookBytes& Int32(int32_t v) {
        bytes_ += '\2';
        U32(static_cast<uint32_t>(v));
        return *this;
    }
    LookBytes& Double(double v) {
        bytes_ += '\3';
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        U32(static_cast<uint32_t>(bits));
        U32(static_cast<uint32_t>(bits >> 32));
        return *this;
    }
    LookBytes& Text(const std::string& text) {
        bytes_ += '\4';
        U32(static_cast<uint32_t>(text.size()));
        bytes_ += text;
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    void U16(uint16_t v) {
        bytes_ += static_cast<char>(v & 0xFF);
        bytes_ += static_cast<char>(v >> 8);
    }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes_ += static_cast<char>((v >> (8 * i)) & 0xFF);
        }
    }
    std::string bytes_;
};

std::optional<GraphLook> Read(const std::string& bytes, std::string* reason = nullptr) {
    std::string error;
    auto look = ReadGraphLook(bytes, error);
    EXPECT_EQ(look.has_value(), error.empty()) << error;
    if (reason != nullptr) {
        *reason = error;
    }
    return look;
}

// A model with every kind of setting away from its default.
GraphModel Styled() {
    GraphModel model;
    model.Set(11, int16_t{3});
    model.Set(12, int32_t{5});
    model.Set(9, std::string("Spectral Data"));
    model.Set(33, std::string("R \xC2\xB5"));
    model.Set(428, true);
    model.Set(54, 4.0);
    model.Set(57, 2.1);
    model.Set(59, int32_t{2500});
    model.Set(226, int16_t{-9999});
    for (int32_t c = 0; c < 3; ++c) {
        model.Set(131, c, std::string(1, static_cast<char>('a' + c)));
        model.Set(132, c, int32_t{255 << (8 * c)});
        model.Set(134, c, int32_t{c});
        model.Set(180, c, int16_t(c - 1));
        model.Set(222, c, 1, 3.0);
    }
    model.Set(11, int16_t{2});  // curve 2 keeps its look
    return model;
}

}  // namespace

TEST(GraphLook, RoundTripRestoresEveryPropertyButNoData) {
    const GraphModel styled = Styled();
    const auto look = Read(WriteGraphLook(styled.SaveLook()));
    ASSERT_TRUE(look);
    GraphModel loaded;
    loaded.ApplyLook(*look);
    for (const auto& info : GraphProperties()) {
        if (info.Indexing == GraphIndexing::Plain) {
            EXPECT_EQ(loaded.Get(info.Id), styled.Get(info.Id)) << info.Id;
        }
    }
    ASSERT_EQ(loaded.LookCount(), 3);
    // Raised again, both show curve 2 as it was before the count fell.
    GraphModel raised = styled;
    ASSERT_TRUE(raised.Set(11, int16_t{3}));
    ASSERT_TRUE(loaded.Set(11, int16_t{3}));
    for (int32_t c = 0; c < 3; ++c) {
        for (const int32_t id : {131, 132, 134, 180}) {
            EXPECT_EQ(loaded.Get(id, c), raised.Get(id, c)) << id << "[" << c << "]";
        }
        EXPECT_FALSE(loaded.HasData(c, 1));
    }
}

TEST(GraphLook, DamagedOrForeignFilesAreRefusedWhole) {
    std::string reason;
    EXPECT_FALSE(Read(std::string(GraphLookMaxFileSize + 1, 'x'), &reason));
    EXPECT_FALSE(Read("LVXGLOO", &reason));
    EXPECT_FALSE(Read("PNG\r\n\x1a\n\0\0\0\0\0\0", &reason));
    EXPECT_FALSE(Read(LookBytes(0, 2).Bytes(), &reason));
    EXPECT_NE(reason.find("version"), std::string::npos);
    EXPECT_TRUE(Read(LookBytes(0).Bytes()));  // nothing in it: every default

    // One good entry beside each fault.
    const auto with = [](auto fault) {
        LookBytes bytes(2);
        bytes.Entry(9, -1).Text("kept");
        fault(bytes.Entry(4, -1));
        return bytes.Bytes();
    };
    EXPECT_TRUE(Read(with([](LookBytes& b) { b.Int32(0xFF); })));
    EXPECT_FALSE(Read(with([](LookBytes& b) { b.Bool(1); })));          // wrong type
    EXPECT_FALSE(Read(with([](LookBytes& b) { b.Text("1"); })));        // wrong type
    EXPECT_FALSE(Read(LookBytes(1).Entry(7, -1).Int32(0).Bytes()));     // unknown id
    EXPECT_FALSE(Read(LookBytes(1).Entry(222, 0).Double(1).Bytes()));   // point data
    EXPECT_FALSE(Read(LookBytes(1).Entry(428, -1).Bool(2).Bytes()));    // not a Boolean
    EXPECT_FALSE(Read(LookBytes(1).Entry(9, 0).Text("x").Bytes()));     // plain with a curve
    EXPECT_FALSE(Read(LookBytes(1).Entry(131, -1).Text("x").Bytes()));  // curve out of bounds
    EXPECT_FALSE(Read(LookBytes(1).Entry(131, 4096).Text("x").Bytes()));
    EXPECT_TRUE(Read(LookBytes(1).Entry(131, 4095).Text("x").Bytes()));
    EXPECT_TRUE(Read(LookBytes(1).Entry(9, -1).Text(std::string(1024, 't')).Bytes()));
    EXPECT_FALSE(Read(LookBytes(1).Entry(9, -1).Text(std::string(1025, 't')).Bytes()));
    EXPECT_FALSE(Read(LookBytes(1).Entry(11, -1).Int32(4097).Bytes()));
    EXPECT_FALSE(Read(LookBytes(1).Entry(12, -1).Int32(2147483647).Bytes()));
    EXPECT_FALSE(Read(LookBytes(2).Entry(11, -1).Int32(4096).Entry(12, -1).Int32(4096).Bytes()));
    EXPECT_FALSE(Read(LookBytes(1).Entry(11, -1).Double(1.5).Bytes()));
    for (const int32_t id : {56, 57, 59, 60}) {
        EXPECT_FALSE(Read(
            LookBytes(1).Entry(id, -1).Double(std::numeric_limits<double>::infinity()).Bytes()));
        EXPECT_FALSE(Read(
            LookBytes(1).Entry(id, -1).Double(std::numeric_limits<double>::quiet_NaN()).Bytes()));
    }
    // Counts larger than the bytes that follow are refused before anything
    // is read or allocated, and so are bytes after the last entry.
    EXPECT_FALSE(Read(LookBytes(0xFFFFFFFF).Bytes()));
    EXPECT_FALSE(Read(LookBytes(0).Bytes() + "x"));
    EXPECT_FALSE(Read(LookBytes(1).Entry(9, -1).Bytes() + "\4\xFF\xFF\xFF\xFF"));
}

TEST(GraphLook, OverlongTextIsCutWhereTheReaderTakesIt) {
    GraphModel model;
    // 1,023 ASCII bytes and a two-byte character across the limit.
    model.Set(9, std::string(1023, 'a') + "\xC3\xA9");
    const auto look = Read(WriteGraphLook(model.SaveLook()));
    ASSERT_TRUE(look);
    GraphModel loaded;
    loaded.ApplyLook(*look);
    EXPECT_EQ(loaded.Text(9), std::string(1023, 'a'));
}
