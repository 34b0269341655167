#include "chart/app/MainWindow.h"

#include "chart/app/DrawingsKeeper.h"
#include "chart/app/ExitSignals.h"
#include "chart/host/DrawingsStore.h"
#include "chart/host/ParameterDialog.h"
#include "chart/host/ToolClass.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/DrawingsFile.h"

#include <ZarvLinesParm/Types.h>

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include <cstdio>

namespace zarvchart {

MainWindow::MainWindow(const Series& series, const QString& label, ChartDocument& document, const QString& keptPath,
                       QWidget* parent)
    : QMainWindow(parent), document_(document), view_(new ChartView(series, document, label, this)),
      tools_(new QActionGroup(this)), label_(label)
{
    if (!keptPath.isEmpty()) {
        keeper_ = new DrawingsKeeper(document_, keptPath, this);
        connect(keeper_, &DrawingsKeeper::failed, this, [this](const QString& why) {
            statusBar()->showMessage(tr("The drawings could not be kept: %1").arg(why));
        });
        // A logout, a shutdown or Ctrl+C ends the program through the event loop, and an ending
        // that does not close the window still keeps what changed.
        connect(&ExitSignals::instance(), &ExitSignals::caught, this, &MainWindow::keepOnTheWayOut);
        connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::keepOnTheWayOut);
    }
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
    view_->setFocus();
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open Drawings…"), QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Drawings"), filePath_, tr("Drawings (*.json);;All files (*)"));
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
    // Delete and Enter reach the chart itself; these are for the mouse, and for a selected drawing.
    QAction* properties = edit->addAction(tr("&Properties…"), this, [this] {
        if (view_->selected() >= 0)
            editProperties(view_->selected());
    });
    QAction* remove = edit->addAction(tr("&Delete"), this, [this] {
        if (view_->selected() >= 0)
            document_.remove(view_->selected());
    });
    connect(edit, &QMenu::aboutToShow, this, [this, properties, remove] {
        properties->setEnabled(view_->selected() >= 0);
        remove->setEnabled(view_->selected() >= 0);
    });

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(tr("&Fit to Data"), QKeySequence(Qt::CTRL | Qt::Key_0), view_, &ChartView::fitToData);

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
        action->setToolTip(tr("%1: click %n point(s) on the chart to place it", nullptr, kind.anchorCount).arg(kind.title));
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
    toolsMenu->addSeparator();
    toolsMenu->addAction(tr("&Reset Defaults…"), this, &MainWindow::askResetDefaults);
    if (!missing.isEmpty())
        statusBar()->showMessage(tr("Not in this version of the library, so not offered: %1").arg(missing.join(QStringLiteral(", "))));
}

void MainWindow::askResetDefaults()
{
    if (!defaultsKept()) {
        statusBar()->showMessage(tr("New tools start from the built-in defaults already."), 5000);
        return;
    }
    const auto answer = QMessageBox::question(this, windowTitle(),
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
        complain(tr("The parameters were applied, but not kept as the defaults of new %1 tools:\n%2").arg(kind.title, e.message()));
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
        const EditedParameters edited = editParameters(*kind, drawing.parameters, [this, index](const QVariantMap& parameters) {
            view_->preview(index, parameters);
        });
        view_->endPreview();
        using Ending = EditedParameters::Ending;
        if (edited.ending == Ending::Ok || edited.ending == Ending::SaveAsDefault)
            document_.setParameters(index, edited.parameters);
        if (edited.ending == Ending::SaveAsDefault)
            keepDefaultsOf(*kind, edited.parameters);
    } catch (const ZarvLinesParm::Error& e) {
        view_->endPreview();
        complain(tr("The %1 dialog could not be used: error %2: %3").arg(kind->title).arg(e.number()).arg(QString::fromUtf8(e.what())));
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

void MainWindow::showSkippedRows(int rows)
{
    if (rows > 0)
        statusBar()->showMessage(rows == 1 ? tr("1 row without prices skipped") : tr("%1 rows without prices skipped").arg(rows));
}

void MainWindow::setDrawingsFile(const QString& path)
{
    filePath_ = path;
    showFileName();
}

void MainWindow::keepOnTheWayOut()
{
    try {
        keeper_->keepNow();
    } catch (const ChartError& e) {
        std::fprintf(stderr, "zarvchart: the drawings could not be kept: %s\n", qPrintable(e.message()));
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!keeper_)
        return;
    try {
        keeper_->keepNow();
    } catch (const ChartError& e) {
        const auto answer = QMessageBox::warning(this, windowTitle(),
                                                 tr("The drawings could not be kept for the next start:\n%1\n\nQuit anyway?").arg(e.message()),
                                                 QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Discard)
            event->ignore();
    }
}

void MainWindow::complain(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}

void MainWindow::showFileName()
{
    QString title = filePath_.isEmpty() ? tr("zarvchart: %1").arg(label_)
                                        : tr("zarvchart: %1, %2").arg(label_, QFileInfo(filePath_).fileName());
    if (keeper_ && !keeper_->whyNot().isEmpty())
        title += tr(" (drawings not kept: another window keeps them)");
    setWindowTitle(title);
}

} // namespace zarvchart
