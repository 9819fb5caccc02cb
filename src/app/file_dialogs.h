#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open dialog of the CSV command: several files may be chosen, starting in `folder`.
// Empty when the user cancels.
QStringList ChooseFilesToOpen(QWidget* parent, const QString& folder);

// A save dialog for one kind of file: `filter` as "Text file (*.txt)", `suffix` added to a name
// typed without one, and a question before an existing file is replaced. Empty on cancel.
QString ChooseFileToSave(QWidget* parent, const QString& filter, const QString& suffix);
