// The answer editor over arbitrary key sequences. The first byte picks the problem set of
// the drill; every further pair of bytes is one key code (16 bits, little-endian) typed
// into Text2 as the window delivers it, Enter included. No key may crash the editor, index
// a list out of its range or draw at a coordinate the 16-bit twips cannot hold.

#include "catalogue/catalogue.h"
#include "core/fixed_list.h"
#include "drivers/fake_drive.h"
#include "fuzz/fuzz_check.h"

#include <array>
#include <cstdint>

namespace minamo {
namespace {

// The control names of the sets the pupil can choose, in menu order.
std::vector<QString> choosableEntries() {
    std::vector<QString> names;
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.choosable(Numbers::Bank)) {
            names.push_back(entry.name);
        }
    }
    return names;
}

QString keysSoFar(const std::vector<int16>& keys) {
    QStringList codes;
    for (const int16 code : keys) {
        codes << QString::number(code);
    }
    return QStringLiteral("keys ") + codes.join(u' ');
}

} // namespace
} // namespace minamo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minamo;
    if (size < 1) {
        return 0;
    }
    const auto violations = rangeViolations();
    FakeForm f;
    f.form.Form_Load();
    static const std::vector<QString> sets = choosableEntries();
    f.form.Menu_Click(sets[data[0] % sets.size()]);
    FUZZ_CHECK(f.s().drillRunning == 1, QStringLiteral("the drill did not start"));

    const std::array<const FakePictureArea*, 6> pictures{&f.fake.picture1, &f.fake.picture2,
                                                         &f.fake.picture3, &f.fake.picture4,
                                                         &f.fake.picture5, &f.fake.picture7};
    std::array<std::size_t, 6> checked{};
    std::vector<int16> keys;
    // The operations drawn since the last look, and no list indexed out of its range.
    const auto checkSinceLastKey = [&] {
        for (std::size_t p = 0; p < pictures.size(); ++p) {
            checked[p] =
                fuzz::checkCoordinates(*pictures[p], checked[p], [&] { return keysSoFar(keys); });
        }
        FUZZ_CHECK(rangeViolations() == violations, keysSoFar(keys));
    };
    checkSinceLastKey();
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        const auto code =
            static_cast<int16>(static_cast<std::uint16_t>(data[i] | data[i + 1] << 8));
        keys.push_back(code);
        pressKey(f.form, f.fake, code);
        checkSinceLastKey();
    }
    return 0;
}
