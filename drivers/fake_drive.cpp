#include "drivers/fake_drive.h"

namespace minamo {

int16 pressKey(Form1& form, FakePlatform& fake, int16 code) {
    return pressKey(
        fake, [&form](int16 key) { return form.Text2_KeyPress(key); }, code);
}

void typeKeys(Form1& form, FakePlatform& fake, const QString& keys) {
    typeKeys(
        fake, [&form](int16 key) { return form.Text2_KeyPress(key); }, keys);
}

} // namespace minamo
