#include "platform/platform.h"

namespace minamo {

namespace {
template <typename T> T& either(T* substitute, T& own) {
    return substitute ? *substitute : own;
}
} // namespace

Platform substituted(const Platform& p, const Substitutes& with) {
    return Platform{
        .picture1 = either(with.picture1, p.picture1),
        .picture2 = either(with.picture2, p.picture2),
        .picture3 = either(with.picture3, p.picture3),
        .picture4 = p.picture4,
        .picture5 = p.picture5,
        .picture7 = p.picture7,
        .text1 = p.text1,
        .text2 = either(with.text2, p.text2),
        .text4 = either(with.text4, p.text4),
        .text5 = p.text5,
        .text6 = p.text6,
        .label2 = p.label2,
        .label3 = p.label3,
        .label4 = p.label4,
        .label5 = p.label5,
        .label12 = p.label12,
        .label13 = p.label13,
        .label14 = p.label14,
        .command1 = p.command1,
        .command2 = p.command2,
        .command3 = p.command3,
        .timer1 = p.timer1,
        .mmControl1 = p.mmControl1,
        .mmControl2 = p.mmControl2,
        .form1 = p.form1,
        .messageBox = p.messageBox,
        .files = p.files,
        .clock = p.clock,
        .random = p.random,
        .instanceLock = p.instanceLock,
    };
}

} // namespace minamo
