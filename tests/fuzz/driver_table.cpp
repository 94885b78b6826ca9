#include <iterator>

#include "tests/fuzz/fuzz_drivers.h"

const FuzzDriver kFuzzDrivers[] = {
    {"translate", RunTranslateInput},
    {"binary_conversion", RunBinaryConversionInput},
    {"portmgr_framer", RunPortmgrFramerInput},
    {"profile", RunProfileInput},
    {"picture_decode", RunPictureDecodeInput},
    {"print_area", RunPrintAreaInput},
    {"barcode", RunBarCodeInput},
    {"status_block", RunStatusBlockInput},
    {"setup_data", RunSetupDataInput},
    {"device_entry", RunDeviceEntryInput},
    {"setup_file", RunSetupFileInput},
    {"unicode", RunUnicodeInput},
    {"statistics_request", RunStatisticsRequestInput},
    {"statistics_file", RunStatisticsFileInput},
};
const size_t kFuzzDriverCount = std::size(kFuzzDrivers);
