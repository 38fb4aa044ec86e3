#include "platform/inert_platform.h"

namespace minamo {

InertPlatform::InertPlatform(const Areas& areas)
    : platform_{
          .picture1 = areas.picture1,
          .picture2 = areas.picture2,
          .picture3 = areas.picture3,
          .picture4 = areas.picture4,
          .picture5 = areas.picture5,
          .picture7 = areas.picture7,
          .text1 = text1_,
          .text2 = text2_,
          .text4 = text4_,
          .text5 = text5_,
          .text6 = text6_,
          .label2 = label2_,
          .label3 = label3_,
          .label4 = label4_,
          .label5 = label5_,
          .label12 = label12_,
          .label13 = label13_,
          .label14 = label14_,
          .command1 = command1_,
          .command2 = command2_,
          .command3 = command3_,
          .timer1 = timer1_,
          .mmControl1 = mmControl1_,
          .mmControl2 = mmControl2_,
          .form1 = form1_,
          .messageBox = messageBox_,
          .files = files_,
          .clock = clock_,
          .random = random_,
          .instanceLock = instanceLock_,
      } {}

} // namespace minamo
