#include "Gallery.h"

#include "Assignments.h"
#include "Display.h"
#include "Output.h"

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace zarvcli {
namespace {

struct Picture {
    std::string caption; // Start's CaptionF, for the class that takes one
    std::vector<std::string> sets;
};

// What a user typically sees in each dialog: the values a host keeps for the tool. A class not
// listed here is shown as it comes, every field zero.
const std::map<std::string, Picture>& pictures()
{
    static const std::map<std::string, Picture> table{
        {"RetracementParmClass",
         {"",
          {"Cor(1)=0x0000C0", "V(1)=0.236", "V(2)=0.382", "V(3)=0.5", "V(4)=0.618", "V(5)=0.786", "V(6)=1", "Extend=1",
           "Numbers=1"}}},
        {"ZarvArcsParmClass",
         {"",
          {"Cor(1)=0xC00000", "V(1)=0.382", "V(2)=0.5", "V(3)=0.618", "V(4)=1", "V(5)=1.618", "V(6)=2.618",
           "FullCircle=1"}}},
        {"ZarvRangerParmClass",
         {"",
          {"Caption=Range Parameters", "ExtendRightCaption=Extend Right", "Periodos=3", "Cte1=0.618", "Cte2=1.382",
           "Cor1=0x00FF00", "Cor2=0x0000FF", "Cor3=0x808080", "ExtendRight=1"}}},
        {"ZarvExpParmClass",
         {"",
          {"Caption=Expansion Parameters", "FExpShow=0x17", "Cor(1)=0x0000FF", "Cor(2)=0x00A000", "Cor(3)=0xFF0000",
           "Cor(4)=0x808000", "V(1)=0.618", "V(2)=1", "V(3)=1.618", "V(4)=2.618"}}},
        {"zarvFanParmClass",
         {"",
          {"Cor(1)=0x0000FF", "Cor(2)=0x00A000", "Cor(3)=0xFF0000", "Cor(4)=0x808000", "FanShow=0x0F", "HLines=1",
           "AteFim=1"}}},
        {"ZarvForkParmClass", {"", {"Cor(1)=0x0000FF", "Cor(2)=0x00A000", "Cor(3)=0xFF0000", "ForkShow=3"}}},
        {"ZarvDravelPArmClass", {"", {"Cor(1)=0x0000FF", "Cor(2)=0xFF0000", "V(1)=1", "V(2)=0.5"}}},
        {"GannSQ9ParmClass", {"", {"Cor=0x0080FF", "Price=0x55", "Time=0x0F", "UpDown=0", "Step=0.1"}}},
        {"ZarvGannParmClass", {"", {"Cor(1)=0x0000FF", "Cor(2)=0xFF0000", "NZones=8"}}},
        {"GannFanParmClass",
         {"", {"Cor(1)=0x008000", "V(1)=0.125", "V(2)=0.25", "V(3)=0.5", "V(4)=2", "V(5)=4", "V(6)=8"}}},
        {"ZarvLeastSquareClass",
         {"", {"Cor(1)=0x0000FF", "Cor(2)=0x00A000", "Cor(3)=0xFF0000", "V(1)=1", "V(2)=2", "UseToCalc=4"}}},
        {"CircleElipseCls", {"Ellipse", {"Cor(1)=0x0000FF", "Cor(2)=0x00FF00", "Fill=1"}}},
    };
    return table;
}

// The dialog drawn as it shows, at device pixel ratio 1 and 2; then "Cancel", which leaves the
// records as they were set.
std::optional<std::string> render(QWidget& dialog, const QString& base)
{
    QPixmap sharp(dialog.size() * 2);
    sharp.setDevicePixelRatio(2);
    sharp.fill(Qt::transparent);
    dialog.render(&sharp);
    for (const auto& [picture, file] : {std::pair(dialog.grab(), base + QStringLiteral(".png")),
                                        std::pair(sharp, base + QStringLiteral("@2x.png"))}) {
        if (const auto why = savePng(picture, file))
            return "cannot write " + file.toStdString() + ": " + *why;
    }
    return std::nullopt;
}

} // namespace

int gallery(const std::string& directory, const char* programName)
{
    // Pictures are the same on every machine: always offscreen, never on the user's screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    quietOffscreenNotes();
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication app(argc, argv);

    const QString dir = QString::fromStdString(directory);
    if (!QDir().mkpath(dir)) {
        std::cerr << "zarvlinesparm: gallery: cannot make " << directory << '\n';
        return 1;
    }

    for (const std::string& progId : ZarvLinesParm::ProgIds()) {
        const std::string className = progId.substr(progId.find('.') + 1);
        const auto picture = pictures().find(className);
        ShowOptions show;
        show.className = progId;
        if (picture != pictures().end()) {
            show.caption = picture->second.caption;
            show.sets = picture->second.sets;
        }
        const std::vector<ZarvLinesParm::MemberInfo> members = ZarvLinesParm::Describe(progId);
        const std::unique_ptr<ZarvLinesParm::Object> object = ZarvLinesParm::CreateObject(progId);
        for (const Assignment& a : assignmentsFor(show, members))
            a.applyTo(*object);

        const std::vector<ZarvLinesParm::Variant> args = startArguments(members, show);

        std::optional<std::string> failure;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                failure = "the dialog did not show";
                return;
            }
            failure = render(*dialog, dir + QLatin1Char('/') + QString::fromStdString(className));
            if (auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("Command2")))
                cancel->click();
            else
                dialog->close();
        });
        object->invoke("Start", ZarvLinesParm::Invoke::Method, args);
        // The first failure ends it: on a full disk every other picture would fail the same way.
        if (failure) {
            std::cerr << "zarvlinesparm: gallery: " << className << ": " << *failure << '\n';
            return 1;
        }
        std::cout << directory << '/' << className << ".png\n";
    }
    return 0;
}

} // namespace zarvcli
