#include "window/lesson_panel.hpp"

#include <QHBoxLayout>
#include <QLocale>
#include <QScrollArea>

namespace tour {

namespace {

QLabel* plain_label(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // a lesson is text, never markup
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

LessonPanel::LessonPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LessonPanel"));
    setMinimumWidth(300);
    auto* inner = new QWidget;
    auto* layout = new QVBoxLayout(inner);
    title_ = plain_label(inner);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title_->setFont(bold);
    step_ = plain_label(inner);
    step_->setObjectName(QStringLiteral("LessonStep"));
    text_ = plain_label(inner);
    text_->setObjectName(QStringLiteral("LessonText"));
    ask_ = plain_label(inner);
    QFont ask_font = ask_->font();
    ask_font.setBold(true);
    ask_->setFont(ask_font);
    choice_box_ = new QVBoxLayout;
    feedback_ = plain_label(inner);
    feedback_->setObjectName(QStringLiteral("LessonFeedback"));
    layout->addWidget(title_);
    layout->addWidget(step_);
    layout->addWidget(text_);
    layout->addSpacing(8);
    layout->addWidget(ask_);
    layout->addLayout(choice_box_);
    layout->addWidget(feedback_);
    layout->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    back_ = new QPushButton(tr("Back"));
    reset_ = new QPushButton(tr("Reset Step"));
    reset_->setToolTip(tr("Bring back this step's stations and methods"));
    continue_ = new QPushButton(tr("Continue"));
    continue_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(reset_);
    buttons->addStretch(1);
    buttons->addWidget(continue_);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(scroll, 1);
    whole->addLayout(buttons);

    connect(back_, &QPushButton::clicked, this, [this] {
        if (player_ != nullptr) {
            player_->back();
            refresh();
        }
    });
    connect(continue_, &QPushButton::clicked, this, [this] {
        if (player_ != nullptr) {
            player_->next();
            refresh();
        }
    });
    connect(reset_, &QPushButton::clicked, this, [this] {
        if (player_ != nullptr) {
            player_->reset_step();
        }
    });
}

void LessonPanel::show_player(explore::LessonPlayer* player) {
    player_ = player;
    shown_step_ = -1;
    refresh();
}

void LessonPanel::refresh() {
    setEnabled(player_ != nullptr);
    if (player_ == nullptr) {
        return;
    }
    const explore::Lesson& lesson = player_->lesson();
    title_->setText(text_of(lesson.title));
    back_->setEnabled(player_->step() > 0);
    continue_->setEnabled(!player_->at_end());
    reset_->setEnabled(!player_->at_end());
    if (player_->at_end()) {
        step_->setText(tr("The end of the lesson"));
        text_->setText(player_->questions() == 0 ? tr("You have worked through every step.")
                                                 : tr("You answered %1 of %2 questions right.")
                                                       .arg(player_->right_answers())
                                                       .arg(player_->questions()));
    } else {
        step_->setText(text_of(player_->step_label()));
        text_->setText(text_of(player_->text(QLocale().decimalPoint().toStdString())));
    }
    if (shown_step_ != player_->step()) {
        shown_step_ = player_->step();
        show_question();
    }
}

void LessonPanel::show_question() {
    for (QPushButton* button : choices_) {
        delete button;
    }
    choices_.clear();
    ask_->clear();
    feedback_->clear();
    if (player_->at_end() || !player_->current().question) {
        ask_->hide();
        feedback_->hide();
        return;
    }
    const explore::Question& question = *player_->current().question;
    ask_->setText(text_of(question.ask));
    ask_->show();
    for (std::size_t i = 0; i < question.choices.size(); ++i) {
        // Plain text on a button: an ampersand stays an ampersand.
        QString label = text_of(question.choices[i]);
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* button = new QPushButton(label);
        button->setCheckable(true);
        button->setAccessibleName(text_of(question.choices[i]));
        connect(button, &QPushButton::clicked, this, [this, i] { answer(static_cast<int>(i)); });
        choice_box_->addWidget(button);
        choices_.push_back(button);
    }
    if (const auto given = player_->answer_given()) {
        answer(*given);
    } else {
        feedback_->hide();
    }
}

void LessonPanel::answer(int choice) {
    const bool right = player_->answer(choice);
    const int given = player_->answer_given().value_or(choice);
    const explore::Question& question = *player_->current().question;
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        choices_[i]->setChecked(static_cast<int>(i) == given);
        choices_[i]->setEnabled(false);
        if (static_cast<int>(i) == question.answer) {
            choices_[i]->setText(choices_[i]->text() + QStringLiteral("  \u2713"));
        }
    }
    feedback_->setText((right ? tr("Right.") : tr("Not quite.")) + QLatin1Char(' ') +
                       text_of(question.explain));
    feedback_->show();
}

}  // namespace tour
