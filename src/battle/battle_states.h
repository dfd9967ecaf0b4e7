// Every state function of the battle, the controller's and the units'. Other code tells what a
// unit or the controller is doing by comparing its state with these, so each is one distinct
// function: never fold, inline or duplicate them.
#pragma once

#include "battle/battle_controller.h"
#include "battle/battle_unit.h"

// The controller.
void WaitBattleOpening(BattleController* controller);
void ShowQueuedLines(BattleController* controller);
void BattleMessageWaitState(BattleController* controller);
void StartNextUnitTurn(BattleController* controller);
void WatchUnitTurn(BattleController* controller);
void HandleBattlePauseMenu(BattleController* controller);
void ShowFinalLines(BattleController* controller);
void WaitFinalMessageKey(BattleController* controller);

// The controller's camera functions, one of which runs after the state each frame.
void HandleBattleCameraInput(BattleController* controller);
void TurnBattleCamera(BattleController* controller);

// The outcomes the mode check leads to.
void ShowVictory(BattleController* controller);
void ShowDefeat(BattleController* controller);
void HandleTeamDefeat(BattleController* controller);
// The team changes: the other team walks in; the team on the field walks off from the unit on.
void SwapBattleTeam(BattleController* controller);
void BuildPartyTurnListFrom(BattleController* controller, BattleUnit* unit);
// Makes the familiar team that the summon calls in.
void SummonFamiliars();

// The units.
void UnitIdleState(BattleUnit* unit);
void TurnStartState(BattleUnit* unit);
void BeginCommandTurn(BattleUnit* unit);
void ParalysedMessageState(BattleUnit* unit);
void TurnEndState(BattleUnit* unit);
void HitReactionState(BattleUnit* unit);
void RunSinking(BattleUnit* unit);

// The command phase of a party unit's turn.
void CommandMenuState(BattleUnit* unit);
void RunTargetSelect(BattleUnit* unit);
void RunDefendConfirm(BattleUnit* unit);
void DefendMessageState(BattleUnit* unit);
void RunEscapeConfirm(BattleUnit* unit);

// Where the commands lead: the approach and melee, the skill and item menus, escape, the team's
// turn choice and the automatic battle prompt.
void ApproachTargetState(BattleUnit* unit);
void OpenSkillMenu(BattleUnit* unit);
void SkillMenuState(BattleUnit* unit);
void SkillTargetState(BattleUnit* unit);
void AreaSkillConfirmState(BattleUnit* unit);
void SpecialSkillConfirmState(BattleUnit* unit);
void NotEnoughMpState(BattleUnit* unit);
void CastSkillOnTarget(BattleUnit* unit);
void WaitSkillEffectState(BattleUnit* unit);
void OpenBattleItemMenu(BattleUnit* unit);
void BattleItemMenuState(BattleUnit* unit);
void ItemTargetState(BattleUnit* unit);
void ConfirmItemTarget(BattleUnit* unit);
void UseItemState(BattleUnit* unit);
void WaitItemEffectState(BattleUnit* unit);
void EscapeFailedState(BattleUnit* unit);
void TurnChoicePromptState(BattleUnit* unit);
void AutoBattleConfirmState(BattleUnit* unit);
// Tries to flee and sets the unit's next state.
void TryEscape(BattleUnit* unit);

// The approach walk along the planned path, and the retreat walk of the automatic battle.
void WalkPathState(BattleUnit* unit);
void StepState(BattleUnit* unit);
void CheckMeleeReachState(BattleUnit* unit);
void RetreatWalkState(BattleUnit* unit);
void RetreatStepState(BattleUnit* unit);

// The melee strike.
void BeginMeleeAttack(BattleUnit* unit);
void MeleeWindupState(BattleUnit* unit);
void MeleeSwingState(BattleUnit* unit);

// A struck unit's reaction: it tilts back, or is pushed one cell away from the blow, named by
// the axes it moves along; both end in HitReactionState.
void UpdateHitTilt(BattleUnit* unit);
void UpdateKnockbackPosX(BattleUnit* unit);
void UpdateKnockbackPosXPosZ(BattleUnit* unit);
void UpdateKnockbackPosZ(BattleUnit* unit);
void UpdateKnockbackNegXPosZ(BattleUnit* unit);
void UpdateKnockbackNegX(BattleUnit* unit);
void UpdateKnockbackNegXNegZ(BattleUnit* unit);
void UpdateKnockbackNegZ(BattleUnit* unit);
void UpdateKnockbackPosXNegZ(BattleUnit* unit);

// Turns without a command.
void EnemyTurnDelayState(BattleUnit* unit);
void AutoBattleTurnState(BattleUnit* unit);
void EscapeWalkState(BattleUnit* unit);
void WalkOffFieldState(BattleUnit* unit);
void WalkToHomeCellState(BattleUnit* unit);
// An enemy walking off the north edge; leaving ends its task, with no record and no reward.
void EnemyFleeState(BattleUnit* unit);

// An enemy's behaviours, after its turn's pause: the choice by its record, the approach, the
// casts, the warp and its strike, and the lone survivor's copy walking in while it waits.
void DispatchEnemyAi(BattleUnit* unit);
void EnemyAiLoner(BattleUnit* unit);
void EnemyAiApproach(BattleUnit* unit);
void EnemyAiCaster(BattleUnit* unit);
void EnemyAiMixed(BattleUnit* unit);
void EnemyAiWarpOrCast(BattleUnit* unit);
void EnemyAiCasterAlt(BattleUnit* unit);
void ChooseAttackSpell(BattleUnit* unit);
void ChooseSpellTarget(BattleUnit* unit);
void ChooseHealSpell(BattleUnit* unit);
void EnemyAiWarp(BattleUnit* unit);
void WarpOutState(BattleUnit* unit);
void WarpInState(BattleUnit* unit);
void WarpWindupState(BattleUnit* unit);
void WarpSwingState(BattleUnit* unit);
void WarpAwayState(BattleUnit* unit);
void WarpReturnState(BattleUnit* unit);
void WarpFinishState(BattleUnit* unit);
void ReinforcementWaitState(BattleUnit* unit);
void ReinforcementEnterState(BattleUnit* unit);
void WaitUntilIdleState(BattleUnit* unit);

// The automatic battle's casts and its retreat, each run the frame after it is chosen.
void AutoCastHeal(BattleUnit* unit);
void AutoCastCure(BattleUnit* unit);
void AutoCastAttackMagic(BattleUnit* unit);
void BeginRetreat(BattleUnit* unit);
