#include "app/form1.h"

#include "answer/answer_editor.h"
#include "app/countdown.h"
#include "app/drill_start.h"
#include "app/judging.h"
#include "app/presentation.h"
#include "app/startup.h"
#include "platform/key_codes.h"

namespace minamo {

Form1::Form1(Platform& ui, DrillOptions options) : drill_{state_, ui}, options_(options) {
    if (options_.numbers == Numbers::Fresh) {
        freshBanks_.emplace(options_);
    }
}

void Form1::prepareFreshNumbers() {
    if (freshBanks_) {
        freshBanks_->prepareAll();
    }
}

bool Form1::Form_Load() {
    return startUp(drill_, options_.numbers);
}

void Form1::Menu_Click(QStringView entryName) {
    const CatalogueEntry* set = catalogueEntry(entryName);
    if (set && set->choosable(options_.numbers)) {
        startDrill(drill_, *set, freshBanks_ ? &*freshBanks_ : nullptr);
    }
}

int16 Form1::Text2_KeyPress(int16 key) {
    // Outside a drill (before the first one, after the end) the answer box takes no input:
    // nothing may be counted against a score that is not running or already recorded.
    if (state_.drillRunning != 1) {
        return key::consumed;
    }
    if (key == key::enter) {
        judgeAnswer(drill_, options_.numbers);
        return key::consumed;
    }
    return takeAnswerKey(drill_, key);
}

void Form1::Timer1_Timer() {
    countDown(drill_, options_.numbers);
}

void Form1::Command1_Click() {
    drill_.ui.text2.setText(QString());
    state_.answerText.clear();
    state_.exponentReady = 0;
}

void Form1::Command2_Click() {
    drill_.ui.form1.close();
}

void Form1::Command3_Click() {
    goOnAfterMiss(drill_);
}

} // namespace minamo
