// Text measurement and drawing, word wrap and fit: the coverage rule checked against an
// independent rasterisation, clipping and shifting, text fields with caret and selection,
// the wrap and fit rules with their edge cases, seeded property tests of both, and the
// cache giving exactly what measuring and rasterising anew gives.
#include "gui/box.h"
#include "gui/render.h"
#include "gui/text_layout.h"
#include "gui/text_state.h"
#include "harness.h"
#include "render/pixel.h"
#include "text/text_cache.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include <wx/dcmemory.h>

using gui::Box;
using orbo::tk::RGBA;
using testing_support::Scene;
typedef boost::shared_ptr<orbotk::UIContext> Ctx;

namespace {

const wxFont& font() {
    static const wxFont f(wxFontInfo(12).FaceName("Arial"));
    return f;
}

// Runs body in one paint pass of a w x h window and returns the framebuffer, top-down.
std::vector<RGBA> painted(int w, int h, const std::function<void(const Ctx&)>& body) {
    Scene scene(w, h);
    scene.show([&](const Ctx& ui) {
        if (ui->isPaint())
            body(ui);
    });
    return scene.driver->pixels();
}

// Measures without the library: partial extents of text in font.
std::vector<int> extentsOf(const std::wstring& text) {
    wxBitmap bitmap(1, 1, 24);
    wxMemoryDC dc(bitmap);
    dc.SetFont(font());
    wxArrayInt e;
    dc.GetPartialTextExtents(text, e);
    return std::vector<int>(e.begin(), e.end());
}

int widthOf(const std::wstring& text) {
    wxBitmap bitmap(1, 1, 24);
    wxMemoryDC dc(bitmap);
    dc.SetFont(font());
    return dc.GetTextExtent(text).x;
}

// Runs body with a context outside any drawing (layout works in every event).
void withContext(const std::function<void(const Ctx&)>& body) {
    Scene scene(100, 100);
    body(scene.ui);
}

} // namespace

// ---- Measuring and drawing

TEST(Text, FontHeightIsTheHeightOfM) {
    withContext([](const Ctx& ui) {
        EXPECT_EQ(gui::getFontHeight(ui, font()), gui::getTextShape(ui, L"M", font()).height);
        EXPECT_EQ(gui::getTextShape(ui, L"Hello", font()).width,
                  static_cast<float>(widthOf(L"Hello")));
    });
}

TEST(Text, CoverageIsTheGreyLevelOfABlackOnWhiteRasterisation) {
    const std::wstring text = L"Wg";
    const RGBA colour(200, 40, 10, 255);
    const std::vector<RGBA> fb = painted(60, 40, [&](const Ctx& ui) {
        Box b(ui, 50.0f, 30.0f);
        b.setPos(5.0f, 5.0f);
        ui->setColour(colour);
        gui::render(ui, font(), text, 0);
    });
    // The same text rasterised here, independently.
    wxBitmap bitmap(1, 1, 24);
    wxMemoryDC measure(bitmap);
    measure.SetFont(font());
    const wxSize size = measure.GetMultiLineTextExtent(text);
    wxBitmap glyphs(size.x, size.y, 24);
    {
        wxMemoryDC dc(glyphs);
        dc.SetFont(font());
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(text, 0, 0);
    }
    const wxImage image = glyphs.ConvertToImage();
    int inked = 0;
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const unsigned r = image.GetRed(x, y), g = image.GetGreen(x, y),
                           b = image.GetBlue(x, y);
            const unsigned k = 256 - ((((r + b) >> 1) + g) >> 1);
            const std::uint32_t want = gui::px::scalePixel(colour.word, k);
            // The text box starts one pixel below the current box.
            ASSERT_EQ(fb[static_cast<size_t>((y + 6) * 60 + x + 5)].word, want) << x << "," << y;
            inked += k > 1;
        }
    EXPECT_GT(inked, 10);
    EXPECT_EQ(fb[static_cast<size_t>(5 * 60 + 5)].word, 0u); // the row above is untouched
}

TEST(Text, TextIsCutAtTheBoxAndShiftedByTheTruncatedOffset) {
    const std::wstring text = L"MMMMMMMMMM";
    auto draw = [&](float boxW, float offset) {
        return painted(200, 30, [&](const Ctx& ui) {
            Box b(ui, boxW, 20.0f);
            ui->setColour(RGBA(0, 0, 0, 255));
            gui::render(ui, font(), text, offset);
        });
    };
    auto inkedColumns = [](const std::vector<RGBA>& fb) {
        std::vector<int> cols;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 30; ++y)
                if (fb[static_cast<size_t>(y * 200 + x)].word != 0) {
                    cols.push_back(x);
                    break;
                }
        return cols;
    };
    const std::vector<int> cut = inkedColumns(draw(30.0f, 0));
    ASSERT_FALSE(cut.empty());
    EXPECT_LE(cut.back(), 29);
    // Shifted by 10.7: trunc gives 10, so column c of the unshifted text lands at c - 10.
    const std::vector<RGBA> whole = draw(200.0f, 0), shifted = draw(200.0f, 10.7f);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x + 10 < 150; ++x)
            ASSERT_EQ(shifted[static_cast<size_t>(y * 200 + x)],
                      whole[static_cast<size_t>(y * 200 + x + 10)]);
}

TEST(Text, EmptyTextOrBoxAndInputEventsDrawNothing) {
    const std::vector<RGBA> fb = painted(60, 30, [](const Ctx& ui) {
        ui->setColour(RGBA(0, 0, 0, 255));
        gui::render(ui, font(), L"", 0);
        Box none(ui, 0.0f, 20.0f);
        gui::render(ui, font(), L"abc", 0);
    });
    for (RGBA p : fb)
        ASSERT_EQ(p.word, 0u);
}

TEST(TextField, CaretSitsAtTheLeftEdgeOnePixelDownAndLineFeedsShowAsSpaces) {
    gui::TextState state(font(), L"ab\ncd");
    gui::TextState spaced(font(), L"ab cd");
    const RGBA ink(0, 0, 0, 255);
    auto field = [&](gui::TextState& s, bool focused) {
        return painted(120, 30, [&](const Ctx& ui) {
            Box b(ui, 100.0f, 22.0f);
            b.setPos(10.0f, 4.0f);
            ui->setColour(ink);
            gui::render(ui, s, RGBA(0xFF00FF00u), focused);
        });
    };
    const std::vector<RGBA> a = field(state, true), b = field(spaced, true);
    EXPECT_EQ(a, b);
    // The caret bar: two columns at the field's left edge, rows 5 .. 24.
    for (int y = 5; y <= 24; ++y) {
        EXPECT_EQ(a[static_cast<size_t>(y * 120 + 10)].word, ink.word) << y;
        EXPECT_EQ(a[static_cast<size_t>(y * 120 + 11)].a(), 255u) << y;
    }
    EXPECT_NE(a[static_cast<size_t>(4 * 120 + 10)].word, ink.word);
    const std::vector<RGBA> unfocused = field(state, false);
    EXPECT_EQ(unfocused[static_cast<size_t>(20 * 120 + 10)].word, 0u);
}

TEST(TextField, SelectionFillsUnderTheSelectedTextAndNeverLeftOfTheFirstColumn) {
    gui::TextState state(font(), L"hello world, a long line that scrolls");
    state.caretEnd(false);
    state.selectAll(); // caret at the end: the view is scrolled; the selection starts at 0
    const RGBA fill(0xFF00FF00u);
    const std::vector<RGBA> fb = painted(120, 30, [&](const Ctx& ui) {
        Box b(ui, 100.0f, 22.0f);
        b.setPos(10.0f, 4.0f);
        ui->setColour(RGBA(0, 0, 0, 255));
        gui::render(ui, state, fill, true);
    });
    EXPECT_GT(state.scrollOffset(), 0.0f);
    // The fill starts at the field's second column (left = 1) and stops before its last.
    EXPECT_EQ(fb[static_cast<size_t>(15 * 120 + 10)].word, 0u);
    bool filled = false;
    for (int x = 11; x < 109; ++x)
        filled |= fb[static_cast<size_t>(24 * 120 + x)].word == fill.word;
    EXPECT_TRUE(filled);
    EXPECT_NE(fb[static_cast<size_t>(24 * 120 + 109)].word, fill.word);
}

// ---- Fit

TEST(Fit, TextThatFitsIsUnchangedAndReportsItsWidth) {
    withContext([](const Ctx& ui) {
        float w = 500;
        EXPECT_EQ(gui::fit(ui, font(), w, L"abcdef", true), L"abcdef");
        EXPECT_EQ(w, static_cast<float>(extentsOf(L"abcdef").back()));
        float same = 500;
        EXPECT_EQ(gui::fit(ui, font(), same, L"", true), L"");
        EXPECT_EQ(same, 500.0f);
    });
}

TEST(Fit, NarrowerThanTheEllipsisGivesNothingAndExactlyItGivesTheEllipsis) {
    withContext([](const Ctx& ui) {
        const float ew = static_cast<float>(widthOf(L"..."));
        float w = ew - 1;
        EXPECT_EQ(gui::fit(ui, font(), w, L"abcdef", true), L"");
        EXPECT_EQ(w, 0.0f);
        w = ew;
        EXPECT_EQ(gui::fit(ui, font(), w, L"abcdefghij", true), L"...");
        EXPECT_EQ(w, ew);
    });
}

TEST(Fit, CutsAtTheEndOrTheStart) {
    withContext([](const Ctx& ui) {
        const std::vector<int> e = extentsOf(L"abcdef");
        const float ew = static_cast<float>(widthOf(L"..."));
        float w = e[2] + ew + 0.5f;
        EXPECT_EQ(gui::fit(ui, font(), w, L"abcdef", true), L"abc...");
        EXPECT_EQ(w, e[2] + ew);
        // Ellipsis first: the longest tail that fits with it.
        float v = e[2] + ew + 0.5f;
        const std::wstring tail = gui::fit(ui, font(), v, L"abcdef", false);
        ASSERT_EQ(tail.substr(0, 3), L"...");
        const std::wstring kept = tail.substr(3);
        EXPECT_EQ(std::wstring(L"abcdef").substr(6 - kept.size()), kept);
        // p is the first index whose extent passes (tw - width) + ew; the tail is what follows p.
        const float target = (e[5] - (e[2] + ew + 0.5f)) + ew;
        size_t p = 0;
        while (p < e.size() && !(e[p] > target))
            ++p;
        EXPECT_EQ(kept.size(), 6 - p - 1);
        EXPECT_EQ(v, ew + static_cast<float>(e[5] - e[p]));
    });
}

TEST(FitProperty, NeverWiderThanGivenAndReportsTheExtentWidthOfItsResult) {
    std::mt19937 rng(777);
    const wchar_t letters[] = L"aiMW .,lQ";
    withContext([&](const Ctx& ui) {
        const float ew = static_cast<float>(widthOf(L"..."));
        for (int round = 0; round < 300; ++round) {
            std::wstring text(1 + rng() % 30, L'a');
            for (wchar_t& c : text)
                c = letters[rng() % 9];
            const float given = static_cast<float>(rng() % 250);
            const bool keepStart = rng() % 2;
            float w = given;
            const std::wstring out = gui::fit(ui, font(), w, text, keepStart);
            ASSERT_LE(w, given);
            if (out.empty())
                continue;
            if (out == text) {
                ASSERT_EQ(w, static_cast<float>(extentsOf(text).back()));
                continue;
            }
            const std::wstring kept = keepStart ? out.substr(0, out.size() - 3) : out.substr(3);
            const float keptWidth =
                kept.empty()
                    ? 0.0f
                    : (keepStart
                           ? static_cast<float>(extentsOf(text)[kept.size() - 1])
                           : static_cast<float>(extentsOf(text).back() -
                                                extentsOf(text)[text.size() - kept.size() - 1]));
            ASSERT_EQ(w, keptWidth + ew) << round;
        }
    });
}

// ---- Word wrap

TEST(Wrap, BreaksAtTheLastSpaceBeforeTheWordThatOverflows) {
    withContext([](const Ctx& ui) {
        const std::vector<int> e = extentsOf(L"aaa bbb ccc");
        wxString text = L"aaa bbb ccc";
        const float h = gui::greedy_word_wrap(ui, font(), text, static_cast<float>(e[7]));
        EXPECT_EQ(text, L"aaa bbb\nccc");
        wxBitmap bitmap(1, 1, 24);
        wxMemoryDC dc(bitmap);
        dc.SetFont(font());
        EXPECT_EQ(h, static_cast<float>(dc.GetMultiLineTextExtent(L"aaa bbb\nccc").y));
        // Seven characters: the trailing space counts, so the break comes at the first space.
        wxString seven = L"aaa bbb ccc";
        gui::greedy_word_wrap(ui, font(), seven, static_cast<float>(e[6]));
        EXPECT_EQ(seven, L"aaa\nbbb ccc");
    });
}

TEST(Wrap, LineFeedsRestartTheCountAndFittingTextIsUnchanged) {
    withContext([](const Ctx& ui) {
        wxString fits = L"short";
        gui::greedy_word_wrap(ui, font(), fits, 1000);
        EXPECT_EQ(fits, L"short");
        const std::vector<int> e = extentsOf(L"aaa bbb");
        wxString text = L"aaa bbb\naaa bbb";
        gui::greedy_word_wrap(ui, font(), text, static_cast<float>(e[6]) + 1);
        EXPECT_EQ(text, L"aaa bbb\naaa bbb");
    });
}

TEST(Wrap, AnOverlongWordWithoutASpaceStopsWrappingAndOnlyTheLastSpaceOfARunBreaks) {
    withContext([](const Ctx& ui) {
        const float narrow = static_cast<float>(widthOf(L"aa"));
        // After a space the over-long word still breaks, and so does each later word.
        wxString text = L"aaaaaaaa bb cc";
        gui::greedy_word_wrap(ui, font(), text, narrow);
        EXPECT_EQ(text, L"aaaaaaaa\nbb\ncc");
        wxString stuck = L"aaaaaaaa\nbb cc";
        gui::greedy_word_wrap(ui, font(), stuck, narrow);
        EXPECT_EQ(stuck, L"aaaaaaaa\nbb cc"); // the first line stops the wrapping
        const std::vector<int> e = extentsOf(L"aaa   bbb");
        wxString run = L"aaa   bbb";
        gui::greedy_word_wrap(ui, font(), run, static_cast<float>(e[5]));
        EXPECT_EQ(run, L"aaa  \nbbb");
    });
}

TEST(WrapProperty, OnlySpacesBecomeLineFeeds) {
    std::mt19937 rng(99);
    const wchar_t letters[] = L"ab  c\nMW i";
    withContext([&](const Ctx& ui) {
        for (int round = 0; round < 300; ++round) {
            std::wstring original(rng() % 40, L'a');
            for (wchar_t& c : original)
                c = letters[rng() % 10];
            wxString text = original;
            gui::greedy_word_wrap(ui, font(), text, static_cast<float>(rng() % 120));
            const std::wstring out = text.ToStdWstring();
            ASSERT_EQ(out.size(), original.size());
            for (size_t i = 0; i < out.size(); ++i)
                ASSERT_TRUE(out[i] == original[i] || (original[i] == L' ' && out[i] == L'\n'))
                    << round << " at " << i;
        }
    });
}

// ---- The cache

TEST(TextCache, CachedAndUncachedDrawingAndLayoutAreIdentical) {
    auto scene = [](const Ctx& ui) {
        ui->setColour(RGBA(20, 60, 200, 255));
        for (int i = 0; i < 6; ++i) {
            Box line(ui, 150.0f, 16.0f);
            line.setPos(3.0f, 3.0f + 17 * i);
            float w = 40.0f + 20 * i;
            gui::render(ui, font(), gui::fit(ui, font(), w, L"The quick brown fox", i % 2), 0);
        }
        wxString para = L"jumps over the lazy dog and keeps on running";
        gui::greedy_word_wrap(ui, font(), para, 90);
        Box text(ui, 120.0f, 60.0f);
        text.setPos(160.0f, 3.0f);
        gui::render(ui, font(), para.ToStdWstring(), 2.5f);
    };
    gui::textcache::setEnabled(false);
    const std::vector<RGBA> uncached = painted(300, 110, scene);
    gui::textcache::setEnabled(true);
    gui::textcache::clear();
    const std::vector<RGBA> cold = painted(300, 110, scene);
    const auto before = gui::textcache::stats();
    const std::vector<RGBA> warm = painted(300, 110, scene);
    const auto after = gui::textcache::stats();
    EXPECT_EQ(cold, uncached);
    EXPECT_EQ(warm, uncached);
    EXPECT_GT(after.hits, before.hits);
    EXPECT_EQ(after.misses, before.misses); // the second paint measured and rasterised nothing
}
