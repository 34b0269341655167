// One whole Start of the circle dialog (load, show, press OK, unload) against a bare QDialog
// holding the same widgets, shown and closed the same way, in the same run.

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

namespace {

// Clicks "OK" of whatever dialog is modal once the loop runs: queued before the dialog shows.
void pressOkOnceShown()
{
    QMetaObject::invokeMethod(qApp, [] {
        if (QWidget* d = QApplication::activeModalWidget())
            if (auto* ok = d->findChild<QPushButton*>(QStringLiteral("Command1")))
                ok->click();
    }, Qt::QueuedConnection);
}

void StartCircleDialog(benchmark::State& state)
{
    ZarvLinesParm::CircleElipseCls c;
    c.Cor(1, 255);
    c.Cor(2, 65280);
    c.Fill(1);
    for (auto _ : state) {
        pressOkOnceShown();
        c.Start(1, "Ellipse");
    }
    benchmark::DoNotOptimize(c.Fill());
}

void BareDialog(benchmark::State& state)
{
    for (auto _ : state) {
        QDialog d(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
        auto* outer = new QVBoxLayout(&d);
        outer->setSizeConstraint(QLayout::SetFixedSize);
        auto* grid = new QGridLayout;
        outer->addLayout(grid);
        grid->addWidget(new QLabel(QStringLiteral("Outline Color")), 0, 0);
        grid->addWidget(new QLabel, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Fill Color")), 1, 0);
        grid->addWidget(new QLabel, 1, 1);
        auto* fill = new QCheckBox(QStringLiteral("Fill"));
        fill->setChecked(true);
        grid->addWidget(fill, 2, 0);
        auto* buttons = new QHBoxLayout;
        for (const char* caption : {"OK", "Cancel", "Save as Default"})
            buttons->addWidget(new QPushButton(QString::fromLatin1(caption)));
        buttons->itemAt(0)->widget()->setObjectName(QStringLiteral("Command1"));
        QObject::connect(static_cast<QPushButton*>(buttons->itemAt(0)->widget()), &QPushButton::clicked, &d, &QDialog::hide);
        outer->addLayout(buttons);
        d.setWindowTitle(QStringLiteral("Ellipse"));
        pressOkOnceShown();
        d.exec();
        benchmark::DoNotOptimize(fill->isChecked());
    }
}

BENCHMARK(StartCircleDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareDialog)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
