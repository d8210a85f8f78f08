// The question asked before each replacement: Yes, No, Cancel or All, placed next to the hit.
#pragma once

#include "search/FindReplaceCommands.h"

#include <QPoint>

#include <memory>
#include <string>

class QMessageBox;
class QWidget;

// The box for the prompt (ReplacePromptMessage), caption "確認", question icon, buttons
// はい, いいえ, キャンセル, すべて; moved next to the caret at `caret` (global coordinates) by
// ConfirmBoxPos with the given row height.
std::unique_ptr<QMessageBox> MakeReplaceConfirmBox(QWidget* parent, const std::string& prompt,
                                                   QPoint caret, int rowHeight);

// The answer a finished box gives (Cancel when it was closed otherwise).
TReplaceAnswer ReplaceAnswerOf(const QMessageBox& box);

// Shows the box modally and returns the answer.
TReplaceAnswer AskReplaceConfirm(QWidget* parent, const std::string& prompt, QPoint caret,
                                 int rowHeight);
