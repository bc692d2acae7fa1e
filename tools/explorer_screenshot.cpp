// Saves a picture of the explorer window, as the README shows it:
//   explorer_screenshot OUT.png [SETUP.json [LESSON.json]]
// Without a setup it opens on stations moved by hand with kriging and a
// comparison; with a lesson, the lesson panel beside it. It waits for the
// leave-one-out column before taking the picture.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "explore/lesson_file.hpp"
#include "explore/setup_file.hpp"
#include "window/explorer_window.hpp"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: explorer_screenshot OUT.png [SETUP.json [LESSON.json]]\n");
        return 1;
    }
    QApplication app(argc, argv);
    namespace explore = tour::explore;
    explore::Setup setup = explore::default_setup();
    setup.layout.stations = {0, 120, 260, 380, 500, 610, 730, 1000};
    setup.method = explore::tour_method(29);
    setup.compare = explore::tour_method(4);
    setup.compare->values[0] = 2.5f;
    if (argc > 2) {
        const auto loaded = explore::load_setup(argv[2]);
        if (loaded.status != explore::LoadedSetup::Status::ok) {
            std::fprintf(stderr, "%s\n", loaded.message.c_str());
            return 2;
        }
        setup = loaded.setup;
    }
    tour::ExplorerWindow window(setup);
    window.set_quiet(true);
    window.resize(1280, 820);
    if (argc > 3) {
        auto loaded = explore::load_lesson(argv[3]);
        if (loaded.status != explore::LoadedLesson::Status::ok) {
            std::fprintf(stderr, "%s\n", loaded.problems.front().c_str());
            return 2;
        }
        window.play_lesson(std::move(loaded.lesson));
        window.resize(1500, 860);
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window did not show\n");
        return 1;
    }
    QElapsedTimer waited;
    waited.start();
    while (!window.session().loo_ready() && waited.elapsed() < 60000) {
        QTest::qWait(50);
    }
    QTest::mouseMove(window.plot(), window.plot()->world_point(494, 0.5).toPoint());
    QTest::qWait(100);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
