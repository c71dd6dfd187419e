// The umockdev tests need the preload library in place before the process starts;
// run by hand without it they skip (exit code 77, which ctest counts as skipped).
#include <gtest/gtest.h>

#include <cstdio>

#include "fake_usb_device.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!velmora::underUmockdev()) {
        std::fprintf(stderr, "Not running under umockdev-wrapper: skipping the libusb tests.\n");
        return 77;
    }
    return RUN_ALL_TESTS();
}
