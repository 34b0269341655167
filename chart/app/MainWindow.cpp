#include "chart/app/MainWindow.h"

#include "chart/app/DrawingActions.h"
#include "chart/app/DrawingsKeeper.h"
#include "chart/app/ExitSignals.h"
#include "chart/app/WindowSettings.h"
#include "chart/host/DrawingsStore.h"
#include "chart/host/ParameterDialog.h"
#include "chart/host/ToolClass.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/CsvSeries.h"
#include "chart/model/DrawingsFile.h"
#include "chart/model/PriceFollower.h"

#include <ZarvLinesParm/Types.h>

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include <cstdio>

namespace zarvchart {
namespace {

/// The one local file that `data` carries, or nothing.
QString droppedFile(const QMimeData* data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace

MainWindow::MainWindow(PriceData& prices, ChartDocument& document, const QString& keptPath, QWidget* parent)
    : QMainWindow(parent), prices_(prices), document_(document), view_(new ChartView(prices, document, this)),
      tools_(new QActionGroup(this)), actions_(new DrawingActions(*view_, document, this)),
      keeping_(!keptPath.isEmpty())
{
    if (keeping_) {
        keepIn(keptPath);
        // A logout, a shutdown or Ctrl+C ends the program through the event loop, and an ending
        // that does not close the window still keeps what changed.
        connect(&ExitSignals::instance(), &ExitSignals::caught, this, &MainWindow::keepOnTheWayOut);
        connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::keepOnTheWayOut);
    }
    setAcceptDrops(true);
    setCentralWidget(view_);
    // There from the start, so that the chart does not shrink when the first hint shows.
    statusBar();
    buildMenus();
    showFileName();
    connect(view_, &ChartView::placed, this, &MainWindow::placeTool);
    connect(view_, &ChartView::moved, &document_, &ChartDocument::move);
    connect(view_, &ChartView::deleteRequested, &document_, &ChartDocument::remove);
    connect(view_, &ChartView::propertiesRequested, this, &MainWindow::editProperties);
    connect(view_, &ChartView::placingEnded, this, [this] {
        if (QAction* checked = tools_->checkedAction())
            checked->setChecked(false);
    });
    connect(view_, &ChartView::hint, this, [this](const QString& text) { statusBar()->showMessage(text); });
    // The price file followed as other programs write it; what cannot be read leaves the chart as
    // it was, and the status bar says why until it can be read again.
    auto* follower = new PriceFollower(prices_, this);
    connect(follower, &PriceFollower::refused, this, [this](const QString& why) {
        statusBar()->showMessage(tr("The prices were not read again: %1").arg(why));
    });
    connect(follower, &PriceFollower::recovered, this, [this] { statusBar()->clearMessage(); });
    view_->setFocus();
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("Open &Prices…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this, [this] {
        const QString here = prices_.path().isEmpty() ? QDir::homePath() : QFileInfo(prices_.path()).absolutePath();
        QFileDialog dialog(this, tr("Open Prices"), pricesFolder(here),
                           tr("Prices (*.csv *.txt *.tsv);;All files (*)"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        setPricesFolder(dialog.directory().absolutePath());
        openPrices(dialog.selectedFiles().front());
    });
    // Read when shown: another window may have opened prices since.
    QMenu* recent = file->addMenu(tr("&Recent Prices"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        const QStringList paths = recentPrices();
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const QString path = paths[i];
            recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this,
                              [this, path] { openPrices(path); });
        }
        if (paths.isEmpty())
            recent->addAction(tr("No prices opened yet"))->setEnabled(false);
    });
    file->addSeparator();
    file->addAction(tr("&Open Drawings…"), QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Drawings"), filePath_,
                                                          tr("Drawings (*.json);;All files (*)"));
        if (!path.isEmpty())
            openDrawings(path);
    });
    const auto saveAs = [this] {
        // A name typed without ".json" gets it, or the Open dialog's filter would hide the file.
        QFileDialog dialog(this, tr("Save Drawings"), filePath_, tr("Drawings (*.json)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("json"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            saveDrawings(dialog.selectedFiles().front());
    };
    file->addAction(tr("&Save Drawings"), QKeySequence::Save, this, [this, saveAs] {
        if (filePath_.isEmpty())
            saveAs();
        else
            saveDrawings(filePath_);
    });
    file->addAction(tr("Save Drawings &As…"), QKeySequence::SaveAs, this, saveAs);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = document_.undoStack().createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = document_.undoStack().createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    // For a selected drawing only; without one, Enter and Delete are the chart's own keys.
    QAction* properties = edit->addAction(tr("&Properties…"), QKeySequence(Qt::Key_Return), this, [this] {
        if (view_->selected() >= 0)
            editProperties(view_->selected());
    });
    QAction* remove = edit->addAction(tr("&Delete"), QKeySequence::Delete, this, [this] {
        if (view_->selected() >= 0)
            document_.remove(view_->selected());
    });
    const auto enable = [this, properties, remove] {
        properties->setEnabled(view_->selected() >= 0);
        remove->setEnabled(view_->selected() >= 0);
    };
    enable();
    connect(view_, &ChartView::selectionChanged, this, enable);
    actions_->addToEditMenu(edit);

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(tr("&Fit to Data"), QKeySequence(Qt::CTRL | Qt::Key_0), view_, &ChartView::fitToData);
    volume_ = viewMenu->addAction(tr("&Volume"));
    volume_->setCheckable(true);
    volume_->setChecked(true);
    volume_->setEnabled(prices_.hasVolume());
    connect(volume_, &QAction::toggled, this, [this](bool on) {
        view_->setVolumeWanted(on);
        if (remembering_)
            rememberLook();
    });
    viewMenu->addSeparator();
    actions_->addToViewMenu(viewMenu);

    QMenu* toolsMenu = menuBar()->addMenu(tr("&Tools"));
    QToolBar* toolBar = addToolBar(tr("Tools"));
    toolBar->setObjectName(QStringLiteral("Tools"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->setMovable(false);
    tools_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QStringList missing;
    for (const ToolKind& kind : toolKinds()) {
        QAction* action = tools_->addAction(kind.title);
        action->setCheckable(true);
        action->setToolTip(
            tr("%1: click %n point(s) on the chart to place it", nullptr, kind.anchorCount).arg(kind.title));
        // A library older or newer than the chart may lack a class; its tool cannot be placed.
        if (const QString why = unavailable(kind); !why.isEmpty()) {
            action->setEnabled(false);
            action->setToolTip(tr("%1: not in this version of the library (%2)").arg(kind.title, why));
            missing << kind.title;
        }
        connect(action, &QAction::triggered, this, [this, &kind](bool on) {
            if (on)
                view_->beginPlacing(kind, defaultsOf(kind));
            else
                view_->cancelPlacing();
        });
        toolsMenu->addAction(action);
        toolBar->addAction(action);
    }
    toolBar->addSeparator();
    actions_->addToToolBar(toolBar);
    toolsMenu->addSeparator();
    toolsMenu->addAction(tr("&Reset Defaults…"), this, &MainWindow::askResetDefaults);
    if (!missing.isEmpty())
        statusBar()->showMessage(
            tr("Not in this version of the library, so not offered: %1").arg(missing.join(QStringLiteral(", "))));
}

void MainWindow::askResetDefaults()
{
    if (!defaultsKept()) {
        statusBar()->showMessage(tr("New tools start from the built-in defaults already."), 5000);
        return;
    }
    const auto answer = QMessageBox::question(
        this, windowTitle(),
        tr("New tools of every kind will start from the built-in parameters, and those "
           "kept with \"Save as Default\" are forgotten. This cannot be undone."),
        QMessageBox::Reset | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Reset)
        return;
    try {
        resetDefaults();
        statusBar()->showMessage(tr("New tools start from the built-in defaults again."), 5000);
    } catch (const ChartError& e) {
        complain(tr("The defaults could not be reset:\n%1").arg(e.message()));
    }
}

void MainWindow::keepDefaultsOf(const ToolKind& kind, const QVariantMap& parameters)
{
    try {
        keepDefaults(kind, parameters);
        statusBar()->showMessage(tr("New %1 tools start from these parameters.").arg(kind.title), 5000);
    } catch (const ChartError& e) {
        complain(tr("The parameters were applied, but not kept as the defaults of new %1 tools:\n%2")
                     .arg(kind.title, e.message()));
    }
}

void MainWindow::placeTool(const Drawing& drawing)
{
    document_.place(drawing);
    view_->select(int(document_.drawings().size()) - 1);
}

void MainWindow::editProperties(int index)
{
    if (index < 0 || std::size_t(index) >= document_.drawings().size())
        return;
    const Drawing drawing = document_.drawings()[std::size_t(index)];
    const ToolKind* kind = toolKind(drawing.progId);
    if (!kind)
        return;
    view_->select(index);
    try {
        const EditedParameters edited = editParameters(
            *kind, drawing.parameters,
            [this, index](const QVariantMap& parameters) { view_->preview(index, parameters); });
        view_->endPreview();
        using Ending = EditedParameters::Ending;
        if (edited.ending == Ending::Ok || edited.ending == Ending::SaveAsDefault)
            document_.setParameters(index, edited.parameters);
        if (edited.ending == Ending::SaveAsDefault)
            keepDefaultsOf(*kind, edited.parameters);
    } catch (const ZarvLinesParm::Error& e) {
        view_->endPreview();
        complain(tr("The %1 dialog could not be used: error %2: %3")
                     .arg(kind->title)
                     .arg(e.number())
                     .arg(QString::fromUtf8(e.what())));
    }
}

bool MainWindow::openDrawings(const QString& path)
{
    try {
        document_.replaceAll(readCheckedDrawings(path), tr("Open %1").arg(QFileInfo(path).fileName()));
    } catch (const ChartError& e) {
        complain(e.message());
        return false;
    }
    filePath_ = path;
    showFileName();
    return true;
}

bool MainWindow::saveDrawings(const QString& path)
{
    try {
        writeDrawingsFile(path, document_.drawings());
    } catch (const ChartError& e) {
        complain(e.message());
        return false;
    }
    filePath_ = path;
    showFileName();
    statusBar()->showMessage(tr("Drawings saved in %1").arg(path), 5000);
    return true;
}

bool MainWindow::openPrices(const QString& path)
{
    PriceFile file;
    try {
        file = readCsv(path);
    } catch (const ChartError& e) {
        complain(e.message());
        return false;
    }
    if (!keptOrLetGo(tr("Open %1 anyway?").arg(QFileInfo(path).fileName())))
        return false;
    // The drawings of the new prices as a start with them would have them. The keeper of the old
    // ones lets go of their file first: it may be the same file, opened again.
    const StartingDrawings start = startingDrawings(path, {}, keeping_);
    delete keeper_;
    keeper_ = nullptr;
    prices_.replace(std::move(file), path);
    document_.reset(start.drawings);
    if (!start.keepIn.isEmpty())
        keepIn(start.keepIn);
    volume_->setEnabled(prices_.hasVolume());
    filePath_.clear();
    showFileName();
    notePricesOpened(path);
    statusBar()->clearMessage();
    showSkippedRows(prices_.skipped());
    if (!start.message.isEmpty())
        complain(start.message);
    return true;
}

void MainWindow::showSkippedRows(int rows)
{
    if (rows > 0)
        statusBar()->showMessage(rows == 1 ? tr("1 row without prices skipped")
                                           : tr("%1 rows without prices skipped").arg(rows));
}

void MainWindow::setDrawingsFile(const QString& path)
{
    filePath_ = path;
    showFileName();
}

void MainWindow::remember()
{
    remembering_ = true;
    actions_->remember();
    const WindowLook look = rememberedLook();
    if (!look.geometry.isEmpty())
        restoreGeometry(look.geometry);
    volume_->setChecked(look.volume);
}

void MainWindow::rememberLook() { zarvchart::rememberLook({saveGeometry(), volume_->isChecked()}); }

void MainWindow::keepIn(const QString& path)
{
    keeper_ = new DrawingsKeeper(document_, path, this);
    connect(keeper_, &DrawingsKeeper::failed, this, [this](const QString& why) {
        statusBar()->showMessage(tr("The drawings could not be kept: %1").arg(why));
    });
}

void MainWindow::keepOnTheWayOut()
{
    if (remembering_)
        rememberLook();
    if (!keeper_)
        return;
    try {
        keeper_->keepNow();
    } catch (const ChartError& e) {
        std::fprintf(stderr, "zarvchart: the drawings could not be kept: %s\n", qPrintable(e.message()));
    }
}

bool MainWindow::keptOrLetGo(const QString& question)
{
    if (!keeper_)
        return true;
    try {
        keeper_->keepNow();
        return true;
    } catch (const ChartError& e) {
        const auto answer = QMessageBox::warning(
            this, windowTitle(),
            tr("The drawings could not be kept for the next start:\n%1\n\n%2").arg(e.message(), question),
            QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel);
        return answer == QMessageBox::Discard;
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!keptOrLetGo(tr("Quit anyway?"))) {
        event->ignore();
        return;
    }
    if (remembering_)
        rememberLook();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so that a message about the file does not keep the program
    // it came from waiting.
    QMetaObject::invokeMethod(
        this, [this, path] { openPrices(path); }, Qt::QueuedConnection);
}

void MainWindow::complain(const QString& text) { QMessageBox::warning(this, windowTitle(), text); }

void MainWindow::showFileName()
{
    const QString label = prices_.label();
    QString title = filePath_.isEmpty() ? tr("zarvchart: %1").arg(label)
                                        : tr("zarvchart: %1, %2").arg(label, QFileInfo(filePath_).fileName());
    if (keeper_ && !keeper_->whyNot().isEmpty())
        title += tr(" (drawings not kept: another window keeps them)");
    setWindowTitle(title);
}

} // namespace zarvchart
