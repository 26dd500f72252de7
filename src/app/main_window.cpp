#include "main_window.h"

#include "command_table.h"
#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "controls/colour_palette.h"
#include "editor.h"
#include "skin/skinner.h"
#include "tools/text_dialog.h"
#include "tools/tool_option_panels.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QWheelEvent>

MainWindow::MainWindow(Editor &editor, QWidget *parent)
    : QMainWindow(parent), m_editor(editor), m_dialogs(editor.dialogs())
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Kalvo"));
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    m_editor.bindWindow(this, this);
    buildControls();
    buildCommands(commandTable(), menuBar(), *this, [this] { return commandContext(); });
    buildGrips();
    bindScrollBars();
    updateScrollBars();
    placeGrips();
    buildStatusBar();
    buildUndoButtons();
    buildTools();
    connect(&m_editor.document().canvas(), &Surface::sizeChanged, this,
            &MainWindow::canvasSizeChanged);
    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    connect(m_noticeTimer, &QTimer::timeout, this, &MainWindow::showZoom);
    connect(&m_editor.documentCommands(), &DocumentCommands::noticed, this,
            &MainWindow::showNotice);
    setAcceptDrops(true);

    // The client area (below the menu bar, status bar included) is 1016 x 522.
    resize(1016, 522 + menuBar()->sizeHint().height());
    // The window sees every key press before the control that has the focus.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    m_editor.bindWindow(nullptr, nullptr);
}

CommandContext MainWindow::commandContext()
{
    return {m_editor, m_palette->colour1(), m_palette->colour2(), m_dialogs, this, m_canvasView};
}

void MainWindow::startUp()
{
    Skin::install(this);
    m_editor.startUp(DocumentCommands::withSeparator(QCoreApplication::applicationDirPath()));
    canvasSizeChanged();
    m_toolPanels->startUp(m_editor.document().dataFolder);
    chooseTool(ToolId::Pencil);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Skin::uninstall(this);
    // Dialogs still open go with the window; nothing is saved or asked, and
    // the recovery copy goes: this is a normal end.
    const auto openDialogs = findChildren<QDialog *>();
    for (QDialog *dialog : openDialogs)
        dialog->close();
    m_editor.recoveryCopy().endNormally();
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == m_viewport->client()) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        m_canvasView->turnWheel(*wheel,
                                m_canvasView->mapFrom(m_viewport->client(), wheel->position()));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    // A key press ignored by a control travels on to its parents; only its
    // first delivery counts, to the focus widget (or the window without one).
    QWidget *focus = QApplication::focusWidget();
    if (widget != (focus && focus->window() == this ? focus : this))
        return false;
    if (static_cast<QKeyEvent *>(event)->text() == QStringLiteral("x"))
        emit swapColoursRequested();
    return false;
}

void MainWindow::setStatusPanel(int index, const QString &text)
{
    if (index >= 1 && index <= static_cast<int>(m_panels.size()))
        m_panels[static_cast<std::size_t>(index - 1)]->setText(text);
}

QString MainWindow::statusPanel(int index) const
{
    if (index >= 1 && index <= static_cast<int>(m_panels.size()))
        return m_panels[static_cast<std::size_t>(index - 1)]->text();
    return {};
}

void MainWindow::showNotice(const QString &text)
{
    constexpr int NoticeMs = 8000;
    setStatusPanel(1, text);
    m_noticeTimer->start(NoticeMs);
}

namespace {

// The first local file among the dragged ones; none for text and the like.
QString droppedFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty() &&
        event->possibleActions().testFlag(Qt::CopyAction)) {
        // Never a move: a file manager would take the file away afterwards.
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty() || !event->possibleActions().testFlag(Qt::CopyAction))
        return;
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(m_editor.documentCommands().openDropped(path));
}

void MainWindow::setStatusPosition(const QString &text)
{
    setStatusPanel(2, text);
}

bool MainWindow::askText(TextSettings &settings)
{
    const std::optional<TextSettings> answer = TextDialog::ask(settings, this);
    if (answer)
        settings = *answer;
    return answer.has_value();
}
