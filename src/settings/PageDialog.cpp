#include "settings/PageDialog.h"

#include "platform/Dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace wabunko {

bool execPageDialog(QDialog& dialog, QWidget* page) {
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(page);
  layout->addWidget(okCancelButtons(&dialog));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace wabunko
