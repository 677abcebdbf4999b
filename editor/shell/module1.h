// The two file dialogs, taking the filter in its "description|pattern|..." form.
#pragma once
#include "path_text.h"

#include <QString>

class Platform;
class QWidget;

// Both return the chosen path without surrounding blanks, or "" when cancelled.
QString ShowOpenDialog(Platform& p, QWidget* owner, const QString& filter, const QString& name, const QString& folder);
QString ShowSaveDialog(Platform& p, QWidget* owner, const QString& filter, const QString& name, const QString& folder,
                       bool confirm);
