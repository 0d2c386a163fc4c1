// VER.bin of any content: read into the package's firmware version and
// compared with every version a keyboard can report.
#include <memory>

#include "mainwindow/model/firmwarecheck.h"
#include "fuzztarget.h"
#include "settings/settingsfiles.h"

ORVANE_FUZZ_TARGET(version_file) {
    using namespace orvane;
    const std::filesystem::path folder = fuzz::scratchFolder();
    fuzz::writeFile(folder / kVersionFileName, {data, size});
    auto image = std::make_unique<SettingsImage>();
    ORVANE_FUZZ_CHECK(readVersionFile(*image, folder));
    const auto& v = image->fileFirmwareVersion;
    ORVANE_FUZZ_CHECK(v[2] == 0 && v[3] == 0);
    if (size <= 5) ORVANE_FUZZ_CHECK(v[0] == 0);
    if (size <= 7) ORVANE_FUZZ_CHECK(v[1] == 0);
    for (unsigned major = 0; major < 256; major += 15) {
        const std::array<std::uint8_t, 4> device{static_cast<std::uint8_t>(major), v[1], 0, 0};
        // Newer by major first: the minor digit decides only on equal majors.
        ORVANE_FUZZ_CHECK(packageIsNewer(v, device) == (v[0] > major));
    }
    return 0;
}
