#include "claim/JFrame1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <csignal>

#include "claim/Constants.h"
#include "claim/ErrorText.h"
#include "claim/JAboutDialog.h"
#include "claim/QtDialogs.h"
#include "claim/StringTableModel.h"
#include "platform/lang/Throwable.h"

namespace {

// The two bevels of the component library: raised (the default type) for the buttons, lowered (type 1) for the
// status fields.
constexpr const char* kRaisedBevel = "border: 2px outset #a0a0a0;";
constexpr const char* kLoweredBevel = "border: 2px inset #a0a0a0;";

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

JFrame1::JFrame1(Dialogs* dialogs) : dialogs_(dialogs) {
  if (dialogs_ == nullptr) {
    ownDialogs_ = std::make_unique<QtDialogs>(this);
    dialogs_ = ownDialogs_.get();
  }
  // The shared constants, log and settings come first, in that order; everything below may log.
  program_ = std::make_unique<ClaimProgram>(this);

  setWindowTitle(ClaimProgram::kTitle);
  panel_ = new QWidget(this);
  setCentralWidget(panel_);

  table_ = new QTableView(panel_);
  model_ = new StringTableModel();
  model_->setParent(table_);
  table_->setModel(model_);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->verticalHeader()->setMinimumSectionSize(1);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

  resetButton_ = new QPushButton("Reset", panel_);
  resetButton_->setStyleSheet(kRaisedBevel);
  testButton_ = new QPushButton("Test", panel_);
  testButton_->setStyleSheet(kRaisedBevel);
  setButtons(false);

  system_ = new QLineEdit(panel_);
  system_->setReadOnly(true);
  system_->setStyleSheet(kLoweredBevel);
  results_ = new QLineEdit(panel_);
  results_->setReadOnly(true);
  results_->setStyleSheet(kLoweredBevel);

  QMenu* file = menuBar()->addMenu("&File");
  file->addSeparator();
  exit_ = file->addAction("E&xit");
  QMenu* help = menuBar()->addMenu("&Help");
  about_ = help->addAction(QIcon(aboutIcon()), "&About...");

  connect(resetButton_, &QPushButton::clicked, this, [this] { reset(); });
  connect(testButton_, &QPushButton::clicked, this, [this] { test(); });
  connect(exit_, &QAction::triggered, this, [this] { exitApplication(); });
  connect(about_, &QAction::triggered, this, [this] { showAbout(); });

  layOut();
}

const std::vector<std::string>& JFrame1::systemTexts() {
  static const std::vector<std::string> texts = {
      "System:  Initializing",
      "System:  Secure",
      "System:  Clear",
      "System:  Stopped",
      "System:  Resetting",
      "System:  Exiting",
      "System:  Testing connection...",
      "System:  Settings Error, see system.log",
      "System:  Error -- jssecerts (No such file or directory)",
  };
  return texts;
}

const std::vector<std::string>& JFrame1::resultsTexts() {
  static const std::vector<std::string> texts = {
      "Results:  None",         "Results:  Claim Successfully Sent.", "Results:  Check Internet Connection.",
      "Results:  No Response.", "Results:  Failed To Send Claim.",    "Results:  Response Not Written, see system.log",
  };
  return texts;
}

const std::vector<std::string>& JFrame1::stepTexts() {
  static const std::vector<std::string> texts = {
      "Reading Claim",     "Connecting",         "Sending Claim", "Awaiting Response",
      "Received Response", "Failed To Connect.", "No Response.",  "Failed To Send Claim.",
  };
  return texts;
}

void JFrame1::layOut() {
  // The classic layout at 12 points where its texts fit; wider fields (and window) where the fonts need more, and
  // a smaller font only where the screen is narrower than that.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->availableGeometry().width() : 0;
  auto widest = [](const QFontMetrics& fm, const std::vector<std::string>& texts) {
    int w = 0;
    for (const auto& t : texts) w = std::max(w, fm.horizontalAdvance(QString::fromStdString(t)));
    return w;
  };
  int points = kPointSize;
  int systemWidth = 0;
  int resultsWidth = 0;
  int width = 0;
  QFont bold("Dialog", points);
  QFont plain("Dialog", points);
  for (;; --points) {
    bold = QFont("Dialog", points);
    bold.setBold(true);
    plain = QFont("Dialog", points);
    const QFontMetrics fields(bold);
    const QFontMetrics cells(plain);
    systemWidth = std::max(kWidth / 2, widest(fields, systemTexts()) + kFieldChrome);
    resultsWidth = std::max(kWidth / 2, widest(fields, resultsTexts()) + kFieldChrome);
    // Each of the two columns shares the table's width equally; the step texts stand in the second.
    const int cellsWidth = 2 * (widest(cells, stepTexts()) + kCellChrome);
    width = std::max({kWidth, systemWidth + resultsWidth, cellsWidth});
    if (points <= kMinPointSize || screenWidth <= 0 || width <= screenWidth) break;
  }
  // Whatever the fields do not need of the width goes to the results field, whose texts are the longest.
  resultsWidth = width - systemWidth;
  panel_->setFont(bold);
  table_->setFont(plain);

  // The row is as tall as its font needs (at least the classic 18 pixels) and the header takes what is left of
  // the table's 40 (or more, for a tall font), with its font fitted to that: neither is cut.
  const int row = std::max(kRowHeight, table_->fontMetrics().height() + 1);
  table_->verticalHeader()->setDefaultSectionSize(row);
  const int header = std::max(kTableHeight - row - 2 * table_->frameWidth(), kMinHeaderHeight);
  const int tableHeight = header + row + 2 * table_->frameWidth();
  QFont headerFont("Dialog");
  headerFont.setBold(true);
  headerFont.setPixelSize(std::max(6, header - 4));
  table_->horizontalHeader()->setFont(headerFont);
  table_->horizontalHeader()->setFixedHeight(header);
  table_->setGeometry(0, 0, width, tableHeight);

  const QFontMetrics fm(bold);
  const int buttonY = tableHeight + (48 - kTableHeight);
  const int buttonHeight = std::max(24, fm.height() + 6);
  // Each button keeps its place in its half of the window.
  const int extra = width - kWidth;
  resetButton_->setGeometry(36 + extra / 4, buttonY, 120, buttonHeight);
  testButton_->setGeometry(204 + 3 * extra / 4, buttonY, 120, buttonHeight);

  const int fieldY = buttonY + buttonHeight + (85 - 48 - 24);
  const int fieldHeight = std::max(25, fm.height() + 8);
  system_->setGeometry(0, fieldY, systemWidth, fieldHeight);
  results_->setGeometry(systemWidth, fieldY, resultsWidth, fieldHeight);

  panel_->setFixedSize(width, fieldY + fieldHeight);
  setFixedSize(width, fieldY + fieldHeight + menuBar()->sizeHint().height());
}

JFrame1::~JFrame1() {
  joinStopper();
}

QPixmap JFrame1::aboutIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0, 70, 160));
  p.setPen(Qt::NoPen);
  p.drawEllipse(1, 1, 14, 14);
  p.setBrush(Qt::white);
  p.drawEllipse(7, 3, 2, 2);
  p.drawRect(7, 7, 2, 6);
  return pixmap;
}

void JFrame1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!openQueued_) {
    openQueued_ = true;
    // The window counts as opened once it is on screen: open after the show has been handled.
    QTimer::singleShot(0, this, [this] { open(); });
  }
}

void JFrame1::open() {
  if (opened_) return;
  opened_ = true;
  setWindowTitle(QString(ClaimProgram::kTitle) + "  " + qs(Constants::Version));
  model_->setColumnHeaders("File, Status");
  model_->addRow(" , ");
  setSystem("System:  Initializing");
  try {
    if (auto at = program_->restorePosition()) placeFrameAt(QPoint(at->x, at->y));
    program_->startThreads();
    setButtons(true);
  } catch (const std::exception& e) {
    const auto* t = dynamic_cast<const plat::lang::Throwable*>(&e);
    setSystem(QString("System:  ") + QString::fromStdString(t ? t->getMessage() : e.what()));
  }
}

void JFrame1::reset() {
  if (busy_ || exiting_) return;  // a Reset under way is not queued behind itself
  setSystem("System:  Resetting");
  setButtons(false);
  runOffThread(
      [this] {
        program_->reset();
        return std::string();
      },
      [this](const std::string& failure) {
        if (!failure.empty()) setSystem("System:  " + QString::fromStdString(failure));
        setButtons(true);
        if (exitAfterBusy_) exitWithoutQuestion();
      });
}

void JFrame1::test() {
  if (busy_ || !testButton_->isEnabled()) return;
  const QString before = system_->text();
  testButton_->setEnabled(false);
  setSystem("System:  Testing connection...");
  watchTest(program_->startTest(dialogs_, testCommand_), before);
}

void JFrame1::watchTest(plat::lang::Ref<IPTester> tester, QString before) {
  // The tester reports only through its box; the window looks at it now and then until it has ended.
  QTimer::singleShot(kTestPollMs, this, [this, tester, before] {
    if (tester->isAlive()) {
      watchTest(tester, before);
      return;
    }
    if (system_->text() == "System:  Testing connection...") setSystem(before);
    if (!busy_ && !exiting_) testButton_->setEnabled(true);
  });
}

void JFrame1::runOffThread(std::function<std::string()> work, std::function<void(const std::string&)> done) {
  joinStopper();
  busy_ = true;
  stopper_ = std::thread([this, work = std::move(work), done = std::move(done)] {
    std::string failure;
    try {
      failure = work();
    } catch (const std::exception& e) {
      failure = ErrorText::messageOf(e);
    }
    // Queued to this window: dropped if the window is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, done, failure] {
          joinStopper();
          busy_ = false;
          done(failure);
        },
        Qt::QueuedConnection);
  });
}

void JFrame1::joinStopper() {
  if (stopper_.joinable()) stopper_.join();
}

void JFrame1::exitApplication() {
  if (exiting_ || busy_) return;
  try {
    dialogs_->beep();
    if (!dialogs_->askYesNo(ClaimProgram::kExitTitle, ClaimProgram::kExitQuestion)) return;
    exitWithoutQuestion();
  } catch (const std::exception&) {
    // Failures of the exit question are ignored: the window stays as it was.
  }
}

void JFrame1::exitWithoutQuestion() {
  if (exiting_) return;
  if (busy_) {
    exitAfterBusy_ = true;  // the Reset's end comes back here
    return;
  }
  exiting_ = true;
  setButtons(false);
  exit_->setEnabled(false);
  setSystem("System:  Exiting");
  const QPoint frame = frameGeometry().topLeft();
  const WindowPoint at{frame.x(), frame.y()};
  runOffThread(
      [this, at] {
        program_->shutDown(at);
        return std::string();
      },
      [this](const std::string&) {
        hide();
        QCoreApplication::exit(0);
      });
}

void JFrame1::onSignal(int sig) {
  if (sig == SIGHUP) {
    reset();
  } else {
    exitWithoutQuestion();
  }
}

QPoint JFrame1::placeOnScreen(QPoint at, QSize size, const QList<QRect>& screens, QRect primary) {
  const QRect frame(at, size);
  for (const QRect& screen : screens) {
    const QRect seen = screen.intersected(frame);
    // Enough of it, its title bar included, to be seen and dragged.
    if (seen.width() >= std::min(kGrip, size.width()) && seen.height() >= std::min(kGrip, size.height()) &&
        frame.top() >= screen.top() && frame.top() < screen.bottom()) {
      return at;
    }
  }
  return QPoint(primary.left() + std::max(0, (primary.width() - size.width()) / 2),
                primary.top() + std::max(0, (primary.height() - size.height()) / 2));
}

void JFrame1::placeFrameAt(QPoint at) {
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(screen->availableGeometry());
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QPoint place =
      placeOnScreen(at, frameGeometry().size(), screens, primary ? primary->availableGeometry() : QRect(at, size()));
  // The frame's corner, as saved: the window manager puts the frame there (north-west gravity) whether or not it
  // has told us the frame's size yet, so the window lands where it stood and does not creep.
  if (QWindow* handle = windowHandle()) {
    handle->setFramePosition(place);
  } else {
    move(place);
  }
}

std::unique_ptr<JAboutDialog> JFrame1::makeAbout() {
  auto dialog = std::make_unique<JAboutDialog>(this);
  if (program_->restoredPosition()) dialog->move(x() + kAboutOffsetX, y() + kAboutOffsetY);
  return dialog;
}

void JFrame1::showAbout() {
  makeAbout()->exec();
}

void JFrame1::closeEvent(QCloseEvent* event) {
  // Closing through the title bar only asks; Exit decides.
  event->ignore();
  exitApplication();
}

void JFrame1::setButtons(bool enabled) {
  resetButton_->setEnabled(enabled);
  testButton_->setEnabled(enabled);
}

void JFrame1::setSystem(const QString& text) {
  system_->setText(text);
  system_->setToolTip(text);
}

void JFrame1::statusCell(int column, const std::string& text) {
  QMetaObject::invokeMethod(
      this, [this, column, t = QString::fromStdString(text)] { model_->setValueAt(t.toStdString(), 0, column); },
      Qt::QueuedConnection);
}

void JFrame1::statusField(Field field, const std::string& text) {
  QMetaObject::invokeMethod(
      this,
      [this, field, t = QString::fromStdString(text)] {
        QLineEdit* target = field == Field::System ? system_ : results_;
        target->setText(t);
        target->setToolTip(t);         // the field is narrow; the whole text is one hover away
        target->setCursorPosition(0);  // a long text shows its start, which names the field
      },
      Qt::QueuedConnection);
}
