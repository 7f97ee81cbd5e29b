// Helpers for the Qt dialog view tests: act on a modal dialog while it is
// open, and find its named children.
#ifndef VORTANE_TESTS_GUI_VIEW_TEST_SUPPORT_H_
#define VORTANE_TESTS_GUI_VIEW_TEST_SUPPORT_H_

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTest>
#include <QTimer>
#include <functional>

namespace vortane::testing {

// Calls `open`, which runs a modal dialog, and once the dialog is shown runs
// `whileOpen` on it, then rejects the dialog if it is still open. Fails the
// current test when no dialog opened.
inline void RunWhileOpen(const std::function<void()>& open,
                         const std::function<void(QDialog&)>& whileOpen) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      return;
    }
    ran = true;
    whileOpen(*dialog);
    if (dialog->isVisible()) {
      dialog->reject();
    }
  });
  open();
  if (!ran) {
    QTest::qFail("the dialog did not open", __FILE__, __LINE__);
  }
}

// The child of `dialog` called `name`; ends the test run when there is none.
template <typename T>
T& Child(QDialog& dialog, const QString& name) {
  T* child = dialog.findChild<T*>(name);
  if (child == nullptr) {
    qFatal("no child %s", qPrintable(name));
  }
  return *child;
}

template <typename T>
T& Child(QDialog& dialog, const char* name) {
  return Child<T>(dialog, QString::fromLatin1(name));
}

}  // namespace vortane::testing

#endif  // VORTANE_TESTS_GUI_VIEW_TEST_SUPPORT_H_
