// The key table the Linux hosts share, and what every host's keyboard state adds to it.
#include "platform/common/input_host.h"
#include "support.h"

namespace {

// Every key a scan code names can be reported by the window host, and no two scan codes
// name one key except the two Enter keys.
TEST(KeyTable, EveryScanCodeKeyHasAUsageAndItsOwnCode) {
    int codes_of[256] = {};
    for (int scan = 1; scan <= 0xE1FF; ++scan) {
        const int key = host::scan_code_key(scan);
        if (!key) continue;
        ++codes_of[key];
        bool usage = false;
        for (int u = 0; u < 256 && !usage; ++u) usage = host::usage_key(u) == key;
        EXPECT_TRUE(usage) << std::hex << scan;
    }
    for (int key = 0; key < 256; ++key) EXPECT_LE(codes_of[key], key == 0x0D ? 2 : 1) << std::hex << key;
    EXPECT_EQ(codes_of[0x0D], 2);
}

TEST(KeyTable, EitherSideHoldsTheKeyForBoth) {
    rsp_input_reset();
    rsp_key(0xA1, 1);
    rsp_key(0xA4, 1);
    uint8_t keys[256];
    host::keyboard_state(keys);
    EXPECT_EQ(keys[0x10] >> 7, 1);  // shift
    EXPECT_EQ(keys[0x11] >> 7, 0);  // control
    EXPECT_EQ(keys[0x12] >> 7, 1);  // alt
    rsp_input_reset();
}

}  // namespace
