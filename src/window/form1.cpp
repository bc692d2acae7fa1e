#include "window/form1.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

#include "window/twips.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

const QColor kWindowGreen(0, 255, 0);
const QColor kNarrativeYellow(255, 255, 128);
const QColor kContinueGreen(0, 192, 0);
const QColor kBackRed(255, 0, 0);

// The window's default font, used by the value columns and the axis labels:
// 31 one-line rows fit the columns, the longest method label their width.
constexpr double kDefaultPoints = 9.0;

// A sans-serif family with the metrics of the classic dialog font.
QFont design_font(double points) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

void paint_background(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

std::string locale_decimal_separator() {
    return QLocale().decimalPoint().toStdString();
}

}  // namespace

Form1::Form1(QWidget* parent, Presentation presentation, Ending ending)
    : QWidget(parent),
      presentation_(presentation),
      ending_(ending),
      tour_(*this, locale_decimal_separator()),
      dpi_(screen() ? screen()->logicalDotsPerInch() : 96.0) {
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setFixedSize(twips_to_pixels(13995, dpi_), twips_to_pixels(9075, dpi_));

    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    setPalette(palette);
    paint_background(this, kWindowGreen);
    setFont(design_font(kDefaultPoints));

    Picture1 = new PlotWidget(tour_.form().picture, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    place(Picture1, 360, 2280, 8895, 6255);

    Label1 = make_label("Label1", "Label1", 960, 240, 7935, 1575);
    Label1->setFont(design_font(9.75));
    paint_background(Label1, kNarrativeYellow);

    Command1 = new QPushButton(QStringLiteral("Continue"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    place(Command1, 9240, 240, 2055, 615);
    Command2 = new QPushButton(QStringLiteral("Back"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    place(Command2, 11640, 240, 2055, 615);
    for (QPushButton* button : {Command1, Command2}) {
        button->setFont(design_font(12.0));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
    }
    paint_background(Command1, kContinueGreen);
    paint_background(Command2, kBackRed);
    Command1->setAutoFillBackground(false);
    Command2->setAutoFillBackground(false);

    Label2 = make_label("Label2", "Method", 9600, 1080, 1215, 255);
    Label3 = make_label("Label3", "RMS Error", 11520, 960, 855, 495);
    Label4 = make_label("Label4", "Maximum Error", 12600, 960, 1215, 615);
    for (QLabel* header : {Label2, Label3, Label4}) {
        header->setFont(design_font(9.75));
    }
    Label3->setToolTip(QStringLiteral("Mean Squred Error"));

    Label5 = make_label("Label5", "Label5", 9480, 1560, 1935, 6975);
    Label6 = make_label("Label6", "Label6", 11520, 1560, 1095, 6975);
    Label7 = make_label("Label7", "Label7", 12720, 1560, 1095, 7095);
    Label0 = make_label("Label0", "0", 240, 8520, 375, 375);
    Label1000 = make_label("Label1000", "1000", 8880, 8640, 615, 255);

    setTabOrder(Picture1, Command1);
    setTabOrder(Command1, Command2);
    Picture1->setFocus();
    describe_controls();
    for (QPushButton* button : {Command1, Command2}) {
        button->installEventFilter(this);
    }

    connect(Command1, &QPushButton::clicked, this, &Form1::press_continue);
    connect(Command2, &QPushButton::clicked, this, &Form1::press_back);

    show_state();
}

void Form1::describe_controls() {
    const auto describe = [](QWidget* control, const char* name, const char* description) {
        control->setAccessibleName(QString::fromUtf8(name));
        control->setAccessibleDescription(QString::fromUtf8(description));
    };
    describe(Command1, "Continue", "Show the next stage of the tour");
    describe(Command2, "Back", "Show the previous stage of the tour again");
    describe(Picture1, "Plot of the true field, stations and estimate",
             "Positions 0 to 1000 across, values from -0.1 to 1.2 upwards");
    describe(Label1, "Narrative", "What the current stage shows");
    describe(Label2, "Method", "Header of the column of methods shown so far");
    describe(Label3, "RMS Error", "Header of the column of root-mean-square errors");
    describe(Label4, "Maximum Error", "Header of the column of maximum errors");
    describe(Label5, "Method", "The methods shown so far in this scenario, one per line");
    describe(Label6, "RMS Error", "The root-mean-square error of each method, in climate units");
    describe(Label7, "Maximum Error", "The maximum error of each method, in climate units");
    describe(Label0, "0", "Position 0, the left end of the plot");
    describe(Label1000, "1000", "Position 1000, the right end of the plot");
}

// Enter and Return press a focused button, as Space does.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == Command1 || watched == Command2)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton*>(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twips_to_pixels(left, dpi_), twips_to_pixels(top, dpi_),
                         twips_to_pixels(width, dpi_), twips_to_pixels(height, dpi_));
}

QLabel* Form1::make_label(const char* name, const char* caption, int left, int top, int width,
                          int height) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    place(label, left, top, width, height);
    return label;
}

void Form1::press_continue() {
    run_guarded([this] { tour_.Command1_Click(); });
}

void Form1::press_back() {
    run_guarded([this] { tour_.Command2_Click(); });
}

void Form1::run_guarded(const std::function<void()>& click) {
    try {
        click();
    } catch (const RuntimeError& error) {
        if (presentation_ == Presentation::headless) {
            throw;
        }
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(),
                              QString::fromStdString(error.what()));
        if (ending_ == Ending::window) {
            close();
        } else {
            QCoreApplication::exit(1);
        }
        return;
    }
    if (tour_.ended()) {
        return;
    }
    show_state();
}

void Form1::show_state() {
    const FormState& form = tour_.form();
    Label1->setText(QString::fromStdString(form.label1));
    Label5->setText(QString::fromStdString(form.columns.method));
    Label6->setText(QString::fromStdString(form.columns.rms));
    Label7->setText(QString::fromStdString(form.columns.max));
    for (QLabel* header : {Label2, Label3, Label4}) {
        header->setVisible(form.headers_visible);
    }
    Label0->setVisible(form.axis_labels_visible);
    Label1000->setVisible(form.axis_labels_visible);
    Picture1->update();
}

void Form1::mouse_pointer_changed(MousePointer pointer) {
    setCursor(pointer == MousePointer::hourglass ? Qt::WaitCursor : Qt::ArrowCursor);
}

void Form1::end_program() {
    close();
    if (ending_ == Ending::program) {
        QCoreApplication::quit();
    }
}

void Form1::message_box(const std::string& text) {
    if (presentation_ == Presentation::headless) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    QMessageBox::information(this, QGuiApplication::applicationDisplayName(),
                             QString::fromStdString(text), QMessageBox::Ok);
}

}  // namespace tour
