// The end of a battle: defeat and its lines, and the records written back to the roster.
#include "battle/battle_outcome.h"

#include "battle/battle_states.h"

void StorePartyMemberRecord(const CharacterRecord& record) {
    if (record.side != SIDE_PARTY || record.characterClass < CLASS_FIGHTER ||
        record.characterClass > CLASS_HYBRID) {
        return;
    }
    const int32_t count = partyCount < PARTY_MAX ? partyCount : PARTY_MAX;
    for (int32_t i = 0; i < count; ++i) {
        if (partyRoster[i].characterId == record.characterId) {
            partyRoster[i] = record;
            return;
        }
    }
}

void StorePartyUnitRecord(const BattleUnit* unit) {
    const CharacterRecord& record = unit->record;
    const int32_t place = unit->rosterPlace;
    if (record.side == SIDE_PARTY && record.characterClass >= CLASS_FIGHTER &&
        record.characterClass <= CLASS_HYBRID && place >= 0 && place < partyCount &&
        place < PARTY_MAX && partyRoster[place].characterId == record.characterId) {
        partyRoster[place] = record;
        return;
    }
    StorePartyMemberRecord(record);
}

void SavePartyRecords() {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        if (const BattleUnit* unit = LiveBattleUnitAt(slot)) {
            StorePartyUnitRecord(unit);
        }
    }
}

namespace {

void CloseWithLines(BattleController* controller) {
    controller->stateFn = ShowFinalLines;
    controller->hudShown = 0;
}

}  // namespace

void ShowDefeat(BattleController* controller) {
    ClearMessageWindow(controller->shownLines, controller->queuedLines);
    if (controller->escaping == 0) {
        controller->gameOver = 1;
        QueueBattleTextPage(controller->queuedLines, BATTLE_TEXT_DEFEAT);
        QueueBattleText(controller->queuedLines, BATTLE_TEXT_DEFEAT_AFTER);
    } else {
        QueueBattleText(controller->queuedLines, BATTLE_TEXT_ESCAPED);
    }
    CloseWithLines(controller);
}

void HandleTeamDefeat(BattleController* controller) {
    if (controller->escaping != 0) {
        ClearMessageWindow(controller->shownLines, controller->queuedLines);
        QueueBattleText(controller->queuedLines, BATTLE_TEXT_ESCAPED);
        CloseWithLines(controller);
        return;
    }
    ClearTurnList(controller);
    SwapBattleTeam(controller);
    FillTurnListWithSide(controller, SIDE_PARTY);
    controller->autoBattle = 0;
    controller->stateFn = StartNextUnitTurn;
}
