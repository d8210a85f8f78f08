// The dialog that offers the pages a crashed run left: one line per page with its name, the time
// its state was written and the first line that differs from its file, and 復元 / 破棄 for each.
#pragma once

#include "mainwindow/pages/RecoveryPages.h"

#include <optional>
#include <vector>

class QWidget;

// True per page to recover it, false to discard it; nothing when the user decides later.
std::optional<std::vector<bool>> RunRecoveryDialog(QWidget* parent,
                                                   const std::vector<TRecoveryOffer>& offers);
