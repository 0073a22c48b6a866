// The modal About box of the claim program: a one-line notice and an OK button that hides it. GUI thread only.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class JAboutDialog : public QDialog {
 public:
  static constexpr int kWidth = 250;
  static constexpr int kHeight = 94;
  static constexpr const char* kTitle = "About Claimora";

  explicit JAboutDialog(QWidget* parent = nullptr);
  JAboutDialog(const JAboutDialog&) = delete;
  JAboutDialog& operator=(const JAboutDialog&) = delete;

  // The notice shown in the box.
  static QString notice();

  QLabel* label() const { return label_; }
  QPushButton* okButton() const { return ok_; }

 private:
  QLabel* label_;
  QPushButton* ok_;
};
