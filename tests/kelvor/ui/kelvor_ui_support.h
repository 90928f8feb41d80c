#pragma once
// Helpers for the kelvor window tests: clicks on named cells and waiting on a
// condition while the event loop runs.

#include "kelvor/board.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/ui/board_geometry.h"
#include "kelvor/ui/kelvor_view.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace kelvor_ui_test {

// Generous: the searches of the tests take well under a second on an idle machine.
constexpr int kPatience = 120000;

// Runs the event loop until `done` holds; false after `ms` without it.
template <class F> bool WaitFor(F done, int ms = kPatience) {
    return QTest::qWaitFor(done, ms);
}

// A left click with the mouse on the intersection of `cell` ("H8") of the view's board.
inline void ClickCell(kelvor::CKelvorView& view, const kelvor::CKelvorDoc& doc,
                      const std::string& cell) {
    auto c = kelvor::ParseCell(cell, doc.BoardSize);
    ASSERT_TRUE(c) << cell;
    kelvor::BoardGeometry g(doc.BoardSize);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(g.LineX(c->first), g.LineY(c->second)));
}

inline void ClickCell(kelvor::CKelvorView& view, const kelvor::CKelvorDoc& doc, int x, int y) {
    ClickCell(view, doc, kelvor::CellText(x, y));
}

} // namespace kelvor_ui_test
