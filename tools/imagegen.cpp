// Draws the library's standard image set with antialiased vector drawing and writes it out:
// images/*.png, the same drawn at 2x and 3x for HiDPI screens (images/2x/, images/3x/),
// images/gui.xrc (the resource description, in table order) and
// docs/image-set.png (a contact sheet at 1x and 4x on grey and on white).
//
//   imagegen <repository root>        (needs a display: run it under xvfb-run)
//
// The look: icons the library tints (buttons, marks, arrows, chevrons) are white shapes whose
// alpha carries the shape, so the tint gives them their colour; nine-patch pieces keep their
// stretching row and column flat; pictures drawn untinted (logos, illustrations, status badges)
// carry their own colours from the brand palette. Change a drawing here and run the tool again;
// the PNGs it writes are committed.
#include "orbotk/application.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/font.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace {

const double PI = 3.14159265358979323846;

// ---- Colours (straight alpha; wxGraphicsContext premultiplies as it draws)
const wxColour WHITE(255, 255, 255, 255);
const wxColour SOFT(255, 255, 255, 150); // a lighter part of a tinted icon
const wxColour INK(51, 51, 51, 255);
const wxColour RED(215, 35, 0, 255);
const wxColour GREEN(116, 182, 74, 255);
const wxColour LTGREEN(139, 218, 89, 255);
const wxColour BLUE(26, 104, 185, 255);
const wxColour GRAY(145, 145, 145, 255);
const wxColour ORANGE(246, 119, 17, 255);
const wxColour YELLOW(250, 196, 30, 255);
const wxColour PAPER(250, 250, 250, 255);

wxColour alpha(const wxColour& c, int a) {
    return wxColour(c.Red(), c.Green(), c.Blue(), a);
}
wxColour shade(const wxColour& c, double k) {
    auto f = [k](int v) { return static_cast<unsigned char>(std::min(255.0, v * k)); };
    return wxColour(f(c.Red()), f(c.Green()), f(c.Blue()), c.Alpha());
}

// One picture being drawn: a transparent image with a graphics context on it. At a scale the
// image has scale times the pixels each way and the context draws scaled, so a drawing written
// in the picture's own w x h units comes out sharp at every scale.
class Pic {
public:
    Pic(int w, int h, int scale = 1) : w(w), h(h), image_(w * scale, h * scale, true) {
        image_.InitAlpha();
        std::fill(image_.GetAlpha(), image_.GetAlpha() + w * h * scale * scale, 0);
        gc.reset(wxGraphicsContext::Create(image_));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        gc->SetInterpolationQuality(wxINTERPOLATION_BEST);
        if (scale != 1)
            gc->Scale(scale, scale);
    }
    // Finishes drawing and returns the picture.
    wxImage done() {
        gc.reset();
        return image_;
    }

    wxGraphicsPath path() { return gc->CreatePath(); }
    void fill(const wxGraphicsPath& p, const wxColour& c, bool evenOdd = false) {
        gc->SetBrush(wxBrush(c));
        gc->FillPath(p, evenOdd ? wxODDEVEN_RULE : wxWINDING_RULE);
    }
    void fillGradient(const wxGraphicsPath& p, double x0, double y0, double x1, double y1,
                      const wxColour& a, const wxColour& b) {
        gc->SetBrush(gc->CreateLinearGradientBrush(x0, y0, x1, y1, a, b));
        gc->FillPath(p);
    }
    void stroke(const wxGraphicsPath& p, const wxColour& c, double width,
                wxPenCap cap = wxCAP_ROUND) {
        gc->SetPen(gc->CreatePen(wxGraphicsPenInfo(c).Width(width).Cap(cap).Join(wxJOIN_ROUND)));
        gc->StrokePath(p);
        gc->SetPen(wxNullPen);
    }
    // Runs draw with everything it paints cleared instead: holes and gaps in a shape, so a
    // tinted icon shows its details as background rather than as a second colour.
    void erase(const std::function<void()>& draw) {
        gc->SetCompositionMode(wxCOMPOSITION_CLEAR);
        draw();
        gc->SetCompositionMode(wxCOMPOSITION_OVER);
    }
    void line(double x0, double y0, double x1, double y1, const wxColour& c, double width,
              wxPenCap cap = wxCAP_ROUND) {
        wxGraphicsPath p = path();
        p.MoveToPoint(x0, y0);
        p.AddLineToPoint(x1, y1);
        stroke(p, c, width, cap);
    }
    wxGraphicsPath rect(double x, double y, double rw, double rh, double r = 0) {
        wxGraphicsPath p = path();
        if (r > 0)
            p.AddRoundedRectangle(x, y, rw, rh, r);
        else
            p.AddRectangle(x, y, rw, rh);
        return p;
    }
    wxGraphicsPath circle(double x, double y, double r) {
        wxGraphicsPath p = path();
        p.AddCircle(x, y, r);
        return p;
    }
    wxGraphicsPath poly(std::initializer_list<wxPoint2DDouble> pts) {
        wxGraphicsPath p = path();
        bool first = true;
        for (const wxPoint2DDouble& q : pts) {
            if (first)
                p.MoveToPoint(q);
            else
                p.AddLineToPoint(q);
            first = false;
        }
        p.CloseSubpath();
        return p;
    }
    // Text of the given pixel height (cap to descender), centred on (cx, cy) when centre.
    void text(const wxString& s, double x, double y, double px, const wxColour& c, bool bold,
              bool centre = false) {
        wxFont font(wxFontInfo(px * 72.0 / 96.0).FaceName("Liberation Sans").Bold(bold));
        gc->SetFont(font, c);
        double tw, th, descent, leading;
        gc->GetTextExtent(s, &tw, &th, &descent, &leading);
        if (centre) {
            x -= tw / 2;
            y -= th / 2;
        }
        gc->DrawText(s, x, y);
    }
    double textWidth(const wxString& s, double px, bool bold) {
        wxFont font(wxFontInfo(px * 72.0 / 96.0).FaceName("Liberation Sans").Bold(bold));
        gc->SetFont(font, *wxBLACK);
        double tw, th, descent, leading;
        gc->GetTextExtent(s, &tw, &th, &descent, &leading);
        return tw;
    }

    const int w, h;
    std::unique_ptr<wxGraphicsContext> gc;

private:
    wxImage image_;
};

typedef std::function<void(Pic&)> Drawing;

// ---- Shared motifs

// The brand mark: an orb with an orbit. Centre (cx, cy), radius r.
void orb(Pic& p, double cx, double cy, double r, const wxColour& body) {
    wxGraphicsPath disc = p.circle(cx, cy, r);
    p.fillGradient(disc, cx, cy - r, cx, cy + r, shade(body, 1.25), shade(body, 0.85));
    p.gc->PushState();
    p.gc->Translate(cx, cy);
    p.gc->Rotate(-PI / 7);
    wxGraphicsPath ring = p.path();
    ring.AddEllipse(-r * 1.35, -r * 0.42, r * 2.7, r * 0.84);
    p.stroke(ring, WHITE, std::max(1.0, r * 0.16));
    p.gc->PopState();
    p.fill(p.circle(cx - r * 0.32, cy - r * 0.34, r * 0.22), alpha(WHITE, 200));
}

// An app tile: a rounded square in a colour with a soft top light.
void tile(Pic& p, double x, double y, double s, const wxColour& c) {
    const double r = s * 0.22;
    p.fillGradient(p.rect(x, y, s, s, r), x, y, x, y + s, shade(c, 1.2), shade(c, 0.8));
    p.fillGradient(p.rect(x + 1, y + 1, s - 2, s * 0.5, r * 0.9), x, y, x, y + s * 0.5,
                   alpha(WHITE, 70), alpha(WHITE, 0));
}

void envelope(Pic& p, double x, double y, double w, double h, double lw) {
    p.stroke(p.rect(x, y, w, h, lw), WHITE, lw);
    wxGraphicsPath flap = p.path();
    flap.MoveToPoint(x + lw / 2, y + lw / 2);
    flap.AddLineToPoint(x + w / 2, y + h * 0.58);
    flap.AddLineToPoint(x + w - lw / 2, y + lw / 2);
    p.stroke(flap, WHITE, lw);
}

void speech(Pic& p, double x, double y, double w, double h, const wxColour& c) {
    wxGraphicsPath b = p.rect(x, y, w, h * 0.75, h * 0.22);
    p.fill(b, c);
    p.fill(
        p.poly({{x + w * 0.22, y + h * 0.7}, {x + w * 0.18, y + h}, {x + w * 0.48, y + h * 0.7}}),
        c);
}

void person(Pic& p, double cx, double top, double s, const wxColour& c) {
    p.fill(p.circle(cx, top + s * 0.25, s * 0.22), c);
    wxGraphicsPath body = p.path();
    body.AddArc(cx, top + s * 1.0, s * 0.42, PI, 2 * PI, true);
    body.CloseSubpath();
    p.fill(body, c);
}

void gear(Pic& p, double cx, double cy, double r, const wxColour& c) {
    wxGraphicsPath g = p.path();
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * PI / teeth, a1 = (i + 0.5) * PI / teeth;
        const double rr = i % 2 == 0 ? r : r * 0.74;
        if (i == 0)
            g.MoveToPoint(cx + rr * std::cos(a0), cy + rr * std::sin(a0));
        g.AddLineToPoint(cx + rr * std::cos(a0), cy + rr * std::sin(a0));
        g.AddLineToPoint(cx + rr * std::cos(a1), cy + rr * std::sin(a1));
    }
    g.CloseSubpath();
    g.AddCircle(cx, cy, r * 0.34);
    p.fill(g, c, true);
}

// A circular arrow: an arc from a0 to a1 (radians, clockwise) with a head at a1.
void circularArrow(Pic& p, double cx, double cy, double r, double a0, double a1, double lw,
                   const wxColour& c) {
    wxGraphicsPath arc = p.path();
    arc.AddArc(cx, cy, r, a0, a1, true);
    p.stroke(arc, c, lw, wxCAP_BUTT);
    const double hx = cx + r * std::cos(a1), hy = cy + r * std::sin(a1);
    const double tx = -std::sin(a1), ty = std::cos(a1); // tangent, clockwise
    const double nx = std::cos(a1), ny = std::sin(a1);
    const double s = lw * 1.7;
    p.fill(p.poly({{hx + nx * s, hy + ny * s},
                   {hx - nx * s, hy - ny * s},
                   {hx + tx * s * 1.4, hy + ty * s * 1.4}}),
           c);
}

void check(Pic& p, double x, double y, double s, double lw, const wxColour& c) {
    wxGraphicsPath t = p.path();
    t.MoveToPoint(x + s * 0.12, y + s * 0.52);
    t.AddLineToPoint(x + s * 0.4, y + s * 0.8);
    t.AddLineToPoint(x + s * 0.9, y + s * 0.2);
    p.stroke(t, c, lw);
}

void cross(Pic& p, double cx, double cy, double s, double lw, const wxColour& c) {
    p.line(cx - s, cy - s, cx + s, cy + s, c, lw);
    p.line(cx - s, cy + s, cx + s, cy - s, c, lw);
}

void playTriangle(Pic& p, double cx, double cy, double s, const wxColour& c) {
    p.fill(
        p.poly({{cx - s * 0.4, cy - s * 0.5}, {cx + s * 0.55, cy}, {cx - s * 0.4, cy + s * 0.5}}),
        c);
}

void cloud(Pic& p, double x, double y, double w, const wxColour& c) {
    wxGraphicsPath g = p.path();
    g.AddCircle(x + w * 0.3, y + w * 0.36, w * 0.2);
    g.AddCircle(x + w * 0.56, y + w * 0.28, w * 0.25);
    g.AddCircle(x + w * 0.78, y + w * 0.42, w * 0.16);
    g.AddRoundedRectangle(x + w * 0.1, y + w * 0.36, w * 0.84, w * 0.22, w * 0.11);
    p.fill(g, c);
}

void arrowDown(Pic& p, double cx, double top, double len, double lw, const wxColour& c) {
    p.line(cx, top, cx, top + len - lw, c, lw);
    p.fill(p.poly({{cx - lw * 1.8, top + len - lw * 2.2},
                   {cx + lw * 1.8, top + len - lw * 2.2},
                   {cx, top + len}}),
           c);
}

void arrowUp(Pic& p, double cx, double bottom, double len, double lw, const wxColour& c) {
    p.line(cx, bottom, cx, bottom - len + lw, c, lw);
    p.fill(p.poly({{cx - lw * 1.8, bottom - len + lw * 2.2},
                   {cx + lw * 1.8, bottom - len + lw * 2.2},
                   {cx, bottom - len}}),
           c);
}

void tray(Pic& p, double x, double y, double w, double h, double lw, const wxColour& c) {
    wxGraphicsPath t = p.path();
    t.MoveToPoint(x, y);
    t.AddLineToPoint(x, y + h);
    t.AddLineToPoint(x + w, y + h);
    t.AddLineToPoint(x + w, y);
    p.stroke(t, c, lw);
}

// A storage cylinder: body, rounded base, and the rim of its top cut out as a thin ellipse.
void disk(Pic& p, double x, double y, double w, double h, const wxColour& c) {
    const double e = w * 0.34;
    wxGraphicsPath g = p.path();
    g.AddEllipse(x, y + h - e, w, e);
    g.AddRectangle(x, y + e / 2, w, h - e);
    g.AddEllipse(x, y, w, e);
    p.fill(g, c);
    p.erase([&] {
        wxGraphicsPath rim = p.path();
        rim.AddEllipse(x, y + e * 0.55, w, e);
        p.stroke(rim, WHITE, 1.0);
    });
}

// The round two-image buttons: a glossy disc with a glyph; pressed looks darker and lower.
void roundButton(Pic& p, const wxColour& c, bool pressed, const std::function<void(Pic&)>& glyph) {
    const double r = 14.5, cx = 16, cy = pressed ? 16.6 : 16;
    if (!pressed)
        p.fill(p.circle(16, 17, 15.2), alpha(INK, 60));
    const wxColour body = pressed ? shade(c, 0.8) : c;
    p.fillGradient(p.circle(cx, cy, r), 0, cy - r, 0, cy + r, shade(body, 1.2), shade(body, 0.85));
    if (!pressed)
        p.fillGradient(p.rect(cx - r * 0.7, cy - r * 0.92, r * 1.4, r * 0.9, r * 0.45), 0, cy - r,
                       0, cy, alpha(WHITE, 110), alpha(WHITE, 0));
    p.gc->PushState();
    p.gc->Translate(0, pressed ? 0.6 : 0);
    glyph(p);
    p.gc->PopState();
}

// ---- The table

struct Entry {
    const char* resource;
    bool icon;
    const char* file;
    int w, h;
    Drawing draw;
};

std::vector<Entry> table() {
    std::vector<Entry> t;
    auto add = [&](const char* res, bool icon, const char* file, int w, int h, Drawing d) {
        t.push_back(Entry{res, icon, file, w, h, d});
    };
    auto appIcon = [](const wxColour& c) {
        return [c](Pic& p) {
            const double s = p.w;
            tile(p, s * 0.04, s * 0.04, s * 0.92, c);
            orb(p, s * 0.5, s * 0.52, s * 0.25, shade(WHITE, 1.0));
            p.fill(p.circle(s * 0.5, s * 0.52, s * 0.14), alpha(c, 200));
        };
    };
    add("IDI_ORBO", true, "orbo.png", 48, 48, appIcon(RED));
    add("IDI_ORBO_SMALL", true, "orbo_small.png", 32, 32, appIcon(RED));
    add("IDI_ORBO_MEDIUM", true, "orbo_medium.png", 16, 16, appIcon(RED));
    add("IDI_ORBOGRAY", true, "orbogray.png", 16, 16, appIcon(GRAY));
    add("IDI_ORBOGREEN", true, "orbogreen.png", 16, 16, appIcon(GREEN));
    add("IDI_ORBOORANGE", true, "orboorange.png", 16, 16, appIcon(ORANGE));
    add("IDP_VELTDEFAULT", false, "velticon.png", 96, 96, [](Pic& p) {
        // The default application picture: a box on a blue tile.
        tile(p, 4, 4, 88, BLUE);
        p.fill(p.poly({{48, 22}, {74, 34}, {48, 46}, {22, 34}}), alpha(WHITE, 235));
        p.fill(p.poly({{22, 38}, {46, 50}, {46, 76}, {22, 64}}), alpha(WHITE, 200));
        p.fill(p.poly({{50, 50}, {74, 38}, {74, 64}, {50, 76}}), alpha(WHITE, 160));
    });
    add("IDP_PANEL_BOUNDARY", false, "panel_boundary.png", 128, 128, [](Pic& p) {
        // The window frame, cut at 15 | 64 | 113 and 18 | 64 | 120: a flat face with a grey
        // rim one pixel in from the cut edges, and a soft line under the logo band.
        p.fill(p.rect(15, 18, 98, 102), WHITE);
        p.stroke(p.rect(15.5, 18.5, 97, 101), wxColour(200, 200, 200, 255), 1.0, wxCAP_BUTT);
        p.stroke(p.rect(16.5, 19.5, 95, 99), wxColour(236, 236, 236, 255), 1.0, wxCAP_BUTT);
    });
    add("IDP_PANEL_LIGHTING", false, "panel_lighting.png", 128, 128, [](Pic& p) {
        // Light from above: a bright band at the top edge, a faint shade at the bottom, both
        // fading to nothing before the flat middle row and column (64).
        p.fillGradient(p.rect(22, 20, 84, 30), 0, 20, 0, 50, alpha(WHITE, 120), alpha(WHITE, 0));
        p.fillGradient(p.rect(22, 84, 84, 24), 0, 84, 0, 108, alpha(INK, 0), alpha(INK, 22));
        p.fillGradient(p.rect(22, 20, 12, 88), 22, 0, 34, 0, alpha(WHITE, 50), alpha(WHITE, 0));
        p.fillGradient(p.rect(94, 20, 12, 88), 94, 0, 106, 0, alpha(INK, 0), alpha(INK, 12));
    });
    add("IDP_TRAY_LIGHTING", false, "tray_lighting.png", 128, 64, [](Pic& p) {
        p.fill(p.rect(24, 0, 80, 64), alpha(INK, 14));
        p.fillGradient(p.rect(24, 0, 80, 14), 0, 0, 0, 14, alpha(INK, 40), alpha(INK, 0));
        p.fillGradient(p.rect(24, 50, 80, 14), 0, 50, 0, 64, alpha(WHITE, 0), alpha(WHITE, 90));
    });
    add("IDP_LOGO_SMALL", false, "logo_small.png", 137, 30, [](Pic& p) {
        orb(p, 15, 15, 11, RED);
        p.text("orbo", 33, 1, 26, INK, true);
    });
    add("IDP_CHEVRON_UP", false, "chevron_up.png", 11, 13, [](Pic& p) {
        for (double y : {3.5, 8.5}) {
            wxGraphicsPath c = p.path();
            c.MoveToPoint(1.5, y + 3);
            c.AddLineToPoint(5.5, y - 1);
            c.AddLineToPoint(9.5, y + 3);
            p.stroke(c, WHITE, 1.8);
        }
    });
    add("IDP_CHEVRON_DOWN", false, "chevron_down.png", 11, 13, [](Pic& p) {
        for (double y : {1.5, 6.5}) {
            wxGraphicsPath c = p.path();
            c.MoveToPoint(1.5, y);
            c.AddLineToPoint(5.5, y + 4);
            c.AddLineToPoint(9.5, y);
            p.stroke(c, WHITE, 1.8);
        }
    });
    add("IDP_CHECKBOX", false, "checkbox_color.png", 20, 20, [](Pic& p) {
        // Button and checkbox body, cut at 10 both ways: row and column 10 are flat.
        p.fill(p.rect(0, 0, 20, 20, 4), WHITE);
    });
    add("IDP_CHECKBOX_SHADE", false, "checkbox_shading.png", 20, 20, [](Pic& p) {
        // Gloss on the upper half, a darker rim at the lower edge.
        wxGraphicsPath outline = p.rect(0.5, 0.5, 19, 19, 3.7);
        p.fillGradient(p.rect(1, 1, 18, 8, 3), 0, 1, 0, 9, alpha(WHITE, 130), alpha(WHITE, 40));
        p.stroke(outline, alpha(INK, 70), 1.0);
        p.fillGradient(p.rect(1, 13, 18, 6, 3), 0, 13, 0, 19, alpha(INK, 0), alpha(INK, 40));
    });
    add("IDP_CHECKBOX_CHECK", false, "checkbox_check.png", 20, 20,
        [](Pic& p) { check(p, 3, 3, 14, 2.6, WHITE); });
    add("IDP_MAIL", false, "mail.png", 20, 20, [](Pic& p) { envelope(p, 2, 4.5, 16, 11, 1.6); });
    add("IDP_BATTERY_L", false, "batt_l.png", 3, 17,
        [](Pic& p) { p.stroke(p.rect(1, 1, 8, 15, 2), WHITE, 1.6); });
    add("IDP_BATTERY_MID", false, "batt_mid.png", 1, 17, [](Pic& p) {
        p.line(-1, 1, 2, 1, WHITE, 1.6, wxCAP_BUTT);
        p.line(-1, 16, 2, 16, WHITE, 1.6, wxCAP_BUTT);
    });
    add("IDP_BATTERY_R", false, "batt_r.png", 6, 17, [](Pic& p) {
        p.stroke(p.rect(-6, 1, 9, 15, 2), WHITE, 1.6);
        p.fill(p.rect(3.2, 5, 2.3, 7, 1), WHITE);
    });
    add("IDP_BATTERY_FILL", false, "batt_fill.png", 1, 11,
        [](Pic& p) { p.fill(p.rect(0, 0, 1, 11), WHITE); });
    add("IDP_DISCUSS", false, "discuss.png", 20, 20, [](Pic& p) {
        speech(p, 1, 2, 12, 11, SOFT);
        p.gc->PushState();
        p.gc->Translate(20, 0);
        p.gc->Scale(-1, 1);
        speech(p, 1, 7, 12, 11, WHITE);
        p.gc->PopState();
    });
    add("IDP_PACMAN_DOT", false, "pac_cdot.png", 25, 25,
        [](Pic& p) { p.fill(p.circle(12.5, 12.5, 3), WHITE); });
    add("IDP_PACMAN_FILL", false, "pac_fill.png", 25, 25, [](Pic& p) {
        wxGraphicsPath pie = p.path();
        pie.MoveToPoint(12.5, 12.5);
        pie.AddArc(12.5, 12.5, 11.5, PI / 6, -PI / 6 + 2 * PI, true);
        pie.CloseSubpath();
        p.fill(pie, WHITE);
    });
    add("IDP_PACMAN_SHADE", false, "pac_shading.png", 25, 25, [](Pic& p) {
        p.fillGradient(p.circle(12.5, 12.5, 11.5), 0, 1, 0, 24, alpha(WHITE, 90), alpha(INK, 50));
    });
    add("IDP_USERDATA", false, "userdata.png", 20, 20, [](Pic& p) {
        p.fill(p.rect(8, 2, 10, 13, 1.5), SOFT);
        person(p, 7, 5, 13, WHITE);
    });
    add("IDP_UNSUBSCRIBE", false, "unsubscribe.png", 20, 20, [](Pic& p) {
        p.stroke(p.circle(10, 10, 8), WHITE, 1.8);
        p.line(6, 10, 14, 10, WHITE, 2.2);
    });
    add("IDP_USERNAME", false, "username.png", 20, 20, [](Pic& p) { person(p, 10, 2, 17, WHITE); });
    add("IDP_CLOSE", false, "close.png", 16, 16, [](Pic& p) { cross(p, 8, 8, 4.5, 2.2, WHITE); });
    add("IDP_HELP", false, "help.png", 16, 16,
        [](Pic& p) { p.text("?", 8, 8, 17, WHITE, true, true); });
    // The 30-pixel toolbar icons.
    add("IDP_DISABLEI", false, "disable.png", 30, 30, [](Pic& p) {
        p.stroke(p.circle(15, 15, 11), WHITE, 3);
        p.line(7.5, 22.5, 22.5, 7.5, WHITE, 3, wxCAP_BUTT);
    });
    add("IDP_BLANKI", false, "blank.png", 30, 30,
        [](Pic& p) { p.stroke(p.rect(5, 5, 20, 20, 4), WHITE, 2); });
    add("IDP_OFFLINEI", false, "offline.png", 30, 30, [](Pic& p) {
        cloud(p, 2, 4, 26, WHITE);
        p.erase([&] { p.line(5, 26, 25, 4, WHITE, 5); }); // a gap, with the slash in it
        p.line(6.5, 24.5, 23.5, 5.5, WHITE, 2);
    });
    add("IDP_NOOFFLINEI", false, "nooffline.png", 30, 30, [](Pic& p) {
        cloud(p, 2, 4, 26, WHITE);
        p.erase([&] { check(p, 9, 12, 12, 2.4, WHITE); });
    });
    add("IDP_PUBLISHI", false, "publish.png", 30, 30, [](Pic& p) {
        tray(p, 5, 16, 20, 9, 2.4, WHITE);
        arrowUp(p, 15, 21, 17, 2.4, WHITE);
    });
    auto corners = [](bool outward) {
        return [outward](Pic& p) {
            const double a = 4.5, b = 12;
            for (int i = 0; i < 4; ++i) {
                p.gc->PushState();
                p.gc->Translate(15, 15);
                p.gc->Rotate(i * PI / 2);
                wxGraphicsPath c = p.path();
                if (outward) {
                    c.MoveToPoint(-b + a + 2, -b + 1);
                    c.AddLineToPoint(-b + 1, -b + 1);
                    c.AddLineToPoint(-b + 1, -b + a + 2);
                } else {
                    c.MoveToPoint(-a - 2, -b + 1);
                    c.AddLineToPoint(-a - 2, -a - 2);
                    c.AddLineToPoint(-b + 1, -a - 2);
                }
                p.stroke(c, WHITE, 2.4);
                p.gc->PopState();
            }
        };
    };
    add("IDP_FULLSCREENI", false, "fullscreen.png", 30, 30, corners(true));
    add("IDP_NOFULLSCREENI", false, "nofullscreen.png", 30, 30, corners(false));
    add("IDP_DOCSI", false, "docs.png", 30, 30, [](Pic& p) {
        p.fill(p.rect(10, 3, 15, 19, 2), SOFT);
        p.fill(p.rect(5, 7, 15, 20, 2), WHITE);
        p.erase([&] {
            for (double y : {12.0, 16.0, 20.0})
                p.line(8, y, 17, y, WHITE, 1.4, wxCAP_BUTT);
        });
    });
    add("IDP_DELETEI", false, "delete.png", 30, 30, [](Pic& p) {
        p.line(6, 8, 24, 8, WHITE, 2.4);
        p.stroke(p.rect(12, 4, 6, 4, 1), WHITE, 1.8);
        wxGraphicsPath can = p.path();
        can.MoveToPoint(8, 11);
        can.AddLineToPoint(9.5, 26);
        can.AddLineToPoint(20.5, 26);
        can.AddLineToPoint(22, 11);
        can.CloseSubpath();
        p.fill(can, WHITE);
        p.erase([&] {
            for (double x : {12.5, 15.0, 17.5})
                p.line(x, 14, x, 23, WHITE, 1.2, wxCAP_BUTT);
        });
    });
    add("IDP_DISCUSSI", false, "discuss2.png", 30, 30, [](Pic& p) {
        speech(p, 2, 3, 18, 15, SOFT);
        p.gc->PushState();
        p.gc->Translate(30, 0);
        p.gc->Scale(-1, 1);
        speech(p, 2, 10, 18, 16, WHITE);
        p.gc->PopState();
    });
    add("IDP_MAILI", false, "mail2.png", 30, 30, [](Pic& p) { envelope(p, 3, 7, 24, 16, 2.2); });
    add("IDP_INFOI", false, "info.png", 30, 30, [](Pic& p) {
        p.stroke(p.circle(15, 15, 11.5), WHITE, 2.2);
        p.fill(p.circle(15, 9.5, 1.8), WHITE);
        p.line(15, 14, 15, 21.5, WHITE, 3, wxCAP_BUTT);
    });
    add("IDP_CONFIGUREI", false, "configure.png", 30, 30,
        [](Pic& p) { gear(p, 15, 15, 12, WHITE); });
    add("IDP_CREATE", false, "create.png", 20, 20, [](Pic& p) {
        p.line(10, 3.5, 10, 16.5, WHITE, 2.6);
        p.line(3.5, 10, 16.5, 10, WHITE, 2.6);
    });
    add("IDP_IMPORT", false, "import.png", 20, 20, [](Pic& p) {
        tray(p, 3, 11, 14, 6, 1.8, WHITE);
        arrowDown(p, 10, 2, 12, 1.8, WHITE);
    });
    add("IDP_PACKAGE", false, "package.png", 20, 20, [](Pic& p) {
        p.fill(p.poly({{10, 2}, {18, 6}, {10, 10}, {2, 6}}), WHITE);
        p.fill(p.poly({{2, 7.5}, {9.2, 11.2}, {9.2, 18.5}, {2, 14.8}}), SOFT);
        p.fill(p.poly({{10.8, 11.2}, {18, 7.5}, {18, 14.8}, {10.8, 18.5}}), alpha(WHITE, 200));
    });
    add("IDP_GEARMENU", false, "gear_menu.png", 32, 20, [](Pic& p) {
        gear(p, 11, 10, 8.5, WHITE);
        p.fill(p.poly({{23, 8}, {30, 8}, {26.5, 12.5}}), WHITE);
    });
    add("IDP_EDIT", false, "vorta_edit.png", 20, 20, [](Pic& p) {
        p.gc->PushState();
        p.gc->Translate(10, 10);
        p.gc->Rotate(PI / 4);
        p.fill(p.rect(-2.5, -8.5, 5, 12.5, 0.8), WHITE);
        p.fill(p.poly({{-2.5, 5}, {2.5, 5}, {0, 9}}), SOFT);
        p.gc->PopState();
        p.line(3, 17.5, 17, 17.5, SOFT, 1.2);
    });
    add("IDP_SUBSCRIBE", false, "subscribe.png", 20, 20, [](Pic& p) {
        p.stroke(p.circle(10, 10, 8), WHITE, 1.8);
        p.line(6, 10, 14, 10, WHITE, 2.2);
        p.line(10, 6, 10, 14, WHITE, 2.2);
    });
    add("IDP_ABORT", false, "abort.png", 20, 20, [](Pic& p) {
        p.stroke(p.circle(10, 10, 8), WHITE, 1.8);
        cross(p, 10, 10, 3.3, 2.2, WHITE);
    });
    add("IDP_AUTOSTART", false, "autostart.png", 32, 32, [](Pic& p) {
        circularArrow(p, 16, 16, 11, -PI * 0.35, PI * 1.35, 2.6, WHITE);
        playTriangle(p, 16.5, 16, 11, WHITE);
    });
    add("IDP_REVERT", false, "revert.png", 20, 20, [](Pic& p) {
        p.gc->PushState();
        p.gc->Translate(20, 0);
        p.gc->Scale(-1, 1);
        circularArrow(p, 10, 10.5, 6.5, PI * 0.9, PI * 2.3, 2.0, WHITE);
        p.gc->PopState();
    });
    add("IDP_REVERT_CHANGES", false, "revert-changes.png", 24, 24, [](Pic& p) {
        p.gc->PushState();
        p.gc->Translate(24, 0);
        p.gc->Scale(-1, 1);
        circularArrow(p, 12, 12.5, 8, PI * 0.9, PI * 2.3, 2.2, WHITE);
        p.gc->PopState();
        p.fill(p.circle(12, 12.5, 2.6), WHITE);
    });
    add("IDP_REVERT_SUSPENDED", false, "revert-suspended.png", 24, 24, [](Pic& p) {
        p.gc->PushState();
        p.gc->Translate(24, 0);
        p.gc->Scale(-1, 1);
        circularArrow(p, 12, 12.5, 8, PI * 0.9, PI * 2.3, 2.2, WHITE);
        p.gc->PopState();
        p.line(10.3, 9.5, 10.3, 15.5, WHITE, 2, wxCAP_BUTT);
        p.line(13.7, 9.5, 13.7, 15.5, WHITE, 2, wxCAP_BUTT);
    });
    add("IDP_PLAY", false, "play.png", 21, 21,
        [](Pic& p) { playTriangle(p, 11, 10.5, 15, WHITE); });
    add("IDP_PAUSE", false, "pause.png", 21, 21, [](Pic& p) {
        p.fill(p.rect(5, 4, 4, 13, 1), WHITE);
        p.fill(p.rect(12, 4, 4, 13, 1), WHITE);
    });
    add("IDP_STOP", false, "stop.png", 21, 21,
        [](Pic& p) { p.fill(p.rect(4.5, 4.5, 12, 12, 1.5), WHITE); });
    add("IDP_RECORD", false, "record.png", 21, 21,
        [](Pic& p) { p.fill(p.circle(10.5, 10.5, 6.5), WHITE); });
    add("IDP_MINIMIZE", false, "minimize.png", 16, 16,
        [](Pic& p) { p.line(3.5, 11.5, 12.5, 11.5, WHITE, 2.4); });
    // Scroll arrows: the library shows the left 11 pixels; the strip carries the arrow at three
    // weights, for hosts that want a hover or pressed look.
    auto scrollStrip = [](bool up) {
        return [up](Pic& p) {
            const double weights[3] = {1.0, 0.75, 0.5};
            for (int i = 0; i < 3; ++i) {
                const double x = i * 26.0;
                const double y0 = up ? 5.5 : 1.5, y1 = up ? 1.5 : 5.5;
                wxGraphicsPath a = p.path();
                a.MoveToPoint(x + 1.5, y0);
                a.AddLineToPoint(x + 5.5, y1);
                a.AddLineToPoint(x + 9.5, y0);
                p.stroke(a, alpha(WHITE, static_cast<int>(255 * weights[i])), 2.0);
            }
        };
    };
    add("IDP_SCROLL_UP", false, "scroll_up.png", 63, 7, scrollStrip(true));
    add("IDP_SCROLL_DOWN", false, "scroll_down.png", 63, 7, scrollStrip(false));
    add("IDP_BACKUP", false, "backup.png", 21, 21, [](Pic& p) {
        disk(p, 3, 4, 11, 14, WHITE);
        arrowUp(p, 16.5, 19, 13, 1.8, WHITE);
    });
    add("IDP_BACKUP_DONE", false, "backup_done.png", 21, 21, [](Pic& p) {
        disk(p, 3, 4, 11, 14, WHITE);
        check(p, 10, 8, 11, 2.2, WHITE);
    });
    add("IDP_FIRST_TIME", false, "first.png", 204, 90, [](Pic& p) {
        // Getting started: three steps, numbered, joined by arrows.
        const wxColour colours[3] = {BLUE, GREEN, ORANGE};
        for (int i = 0; i < 3; ++i) {
            const double x = 8 + i * 68;
            p.fill(p.rect(x + 1, 15, 52, 62, 9), alpha(INK, 40));
            p.fillGradient(p.rect(x, 13, 52, 62, 9), 0, 13, 0, 75, shade(colours[i], 1.15),
                           shade(colours[i], 0.85));
            p.text(wxString::Format("%d", i + 1), x + 26, 44, 34, WHITE, true, true);
            if (i < 2)
                p.fill(p.poly({{x + 56, 38}, {x + 64, 44}, {x + 56, 50}}), GRAY);
        }
    });
    add("IDP_PROGRESS_WELL", false, "progress_well.png", 8, 4, [](Pic& p) {
        // Stretched to the bar's height, so every row is nearly the same: rim, then a faint
        // inner shade.
        p.fill(p.rect(0, 0, 8, 4), wxColour(235, 235, 235, 255));
        p.fill(p.rect(0, 0, 1, 4), wxColour(170, 170, 170, 255));
        p.fill(p.rect(7, 0, 1, 4), wxColour(170, 170, 170, 255));
        p.fill(p.rect(1, 0, 1, 4), wxColour(215, 215, 215, 255));
        p.fill(p.rect(6, 0, 1, 4), wxColour(215, 215, 215, 255));
    });
    add("IDP_PROGRESS_FLAT", false, "progress_flat.png", 32, 32, [](Pic& p) {
        // The fill: rounded ends, lit from above, flat in the stretching column 16.
        wxGraphicsPath bar = p.rect(0, 2, 32, 28, 5);
        p.fillGradient(bar, 0, 2, 0, 30, WHITE, wxColour(214, 214, 214, 255));
        p.fillGradient(p.rect(1, 3, 30, 11, 4.5), 0, 3, 0, 14, alpha(WHITE, 160), alpha(WHITE, 40));
    });
    add("IDP_LOGO", false, "velt_TM.png", 365, 80, [](Pic& p) {
        orb(p, 40, 40, 30, RED);
        p.text("orbo", 84, -6, 84, INK, true);
        p.text("TM", 290, 8, 14, INK, false);
    });
    add("IDP_USBLOGO", false, "usblogo.png", 367, 150, [](Pic& p) {
        // A portable drive plugged into a computer, with the data flowing across.
        p.fillGradient(p.rect(20, 20, 150, 100, 10), 0, 20, 0, 120, shade(GRAY, 1.4), GRAY);
        p.fill(p.rect(30, 30, 130, 70, 4), shade(BLUE, 0.9));
        p.fill(p.rect(70, 120, 50, 8, 2), GRAY);
        p.fill(p.rect(50, 128, 90, 8, 4), shade(GRAY, 0.9));
        orb(p, 95, 65, 20, RED);
        for (int i = 0; i < 3; ++i)
            p.fill(p.circle(190 + i * 18, 75, 4), alpha(BLUE, 120 + 60 * i));
        p.fillGradient(p.rect(250, 50, 95, 50, 8), 0, 50, 0, 100, shade(RED, 1.15),
                       shade(RED, 0.85));
        p.fill(p.rect(236, 62, 16, 26, 2), wxColour(190, 190, 190, 255));
        p.fill(p.rect(240, 68, 4, 4), INK);
        p.fill(p.rect(240, 78, 4, 4), INK);
        orb(p, 297, 75, 13, WHITE);
    });
    add("IDP_DONTUNPLUG", false, "dontunplug.png", 400, 60, [](Pic& p) {
        p.fillGradient(p.rect(1, 1, 398, 58, 10), 0, 0, 0, 60, shade(YELLOW, 1.1),
                       shade(YELLOW, 0.9));
        p.stroke(p.rect(1.5, 1.5, 397, 57, 10), shade(ORANGE, 0.9), 1.5);
        // A plug under a no-entry sign.
        p.fill(p.rect(22, 24, 22, 14, 3), INK);
        p.fill(p.rect(44, 28, 10, 2.5), INK);
        p.fill(p.rect(44, 33, 10, 2.5), INK);
        p.line(12, 31, 22, 31, INK, 3);
        p.stroke(p.circle(34, 30, 22), RED, 4);
        p.line(19, 45, 49, 15, RED, 4, wxCAP_BUTT);
        p.text("Do not unplug the device", 72, 17, 24, INK, true);
    });
    add("IDP_RADIO", false, "radio.png", 20, 20,
        [](Pic& p) { p.stroke(p.circle(10, 10, 7.5), WHITE, 2); });
    add("IDP_RADIO_CHECK", false, "radio_check.png", 20, 20,
        [](Pic& p) { p.fill(p.circle(10, 10, 4), WHITE); });
    add("IDP_ARROW", false, "arrow.png", 32, 32, [](Pic& p) {
        wxGraphicsPath a =
            p.poly({{8, 3}, {8, 25}, {13, 20.5}, {17, 29}, {20.5, 27.5}, {16.5, 19}, {23, 19}});
        p.fill(a, INK);
        p.stroke(a, WHITE, 1.4);
    });
    add("IDP_LOCK", false, "lock.png", 32, 32, [](Pic& p) {
        wxGraphicsPath shackle = p.path();
        shackle.MoveToPoint(10, 15);
        shackle.AddLineToPoint(10, 10);
        shackle.AddArc(16, 10, 6, PI, 2 * PI, true);
        shackle.AddLineToPoint(22, 15);
        p.stroke(shackle, WHITE, 3, wxCAP_BUTT);
        p.fill(p.rect(6, 14, 20, 15, 3), WHITE);
        p.erase([&] {
            p.fill(p.circle(16, 20.5, 2.2), WHITE);
            p.line(16, 21, 16, 25, WHITE, 1.8);
        });
    });
    auto playButton = [&](const wxColour& c, bool pressed) {
        return [c, pressed](Pic& p) {
            roundButton(p, c, pressed, [](Pic& q) { playTriangle(q, 17, 16, 13, WHITE); });
        };
    };
    add("IDP_PLAY_1", false, "play1.png", 32, 32, playButton(GREEN, false));
    add("IDP_PLAY_2", false, "play2.png", 32, 32, playButton(BLUE, false));
    add("IDP_PLAY_3", false, "play3.png", 32, 32, playButton(GRAY, false));
    add("IDP_PLAY_PUSH_1", false, "play_push1.png", 32, 32, playButton(GREEN, true));
    add("IDP_PLAY_PUSH_2", false, "play_push2.png", 32, 32, playButton(BLUE, true));
    add("IDP_PLAY_PUSH_3", false, "play_push3.png", 32, 32, playButton(GRAY, true));
    auto stopButton = [](bool pressed) {
        return [pressed](Pic& p) {
            roundButton(p, RED, pressed,
                        [](Pic& q) { q.fill(q.rect(11, 10.5, 10, 10, 1.5), WHITE); });
        };
    };
    add("IDP_STOP_1", false, "stop_big.png", 32, 32, stopButton(false));
    add("IDP_STOP_PUSH_1", false, "stop_push_bug.png", 32, 32, stopButton(true));
    add("IDP_VERTMARKER", false, "vertmarker.png", 9, 40, [](Pic& p) {
        p.fill(p.poly({{0.5, 0}, {8.5, 0}, {4.5, 6}}), WHITE);
        p.line(4.5, 5, 4.5, 40, WHITE, 1.4, wxCAP_BUTT);
    });
    add("IDP_LIBRARY", false, "library.png", 96, 96, [](Pic& p) {
        // Books on a shelf.
        const wxColour spines[5] = {BLUE, RED, GREEN, ORANGE, shade(BLUE, 0.7)};
        const double widths[5] = {14, 11, 16, 12, 13};
        double x = 12;
        for (int i = 0; i < 5; ++i) {
            const double top = 18 + (i % 2) * 6 + (i == 2 ? -4 : 0);
            p.fillGradient(p.rect(x, top, widths[i], 66 - top + 12, 2), x, 0, x + widths[i], 0,
                           shade(spines[i], 1.2), shade(spines[i], 0.85));
            p.line(x + 3, top + 8, x + widths[i] - 3, top + 8, alpha(WHITE, 160), 1.5);
            x += widths[i] + 1.5;
        }
        p.fill(p.rect(6, 78, 84, 7, 2), shade(ORANGE, 0.55));
    });
    add("IDP_INSTALLFROMCD", false, "installfromcd.png", 96, 96, [](Pic& p) {
        wxGraphicsPath discPath = p.path();
        discPath.AddCircle(48, 48, 42);
        discPath.AddCircle(48, 48, 8);
        p.gc->SetBrush(p.gc->CreateRadialGradientBrush(
            36, 36, 48, 48, 42, wxColour(235, 240, 250, 255), wxColour(170, 180, 200, 255)));
        p.gc->FillPath(discPath, wxODDEVEN_RULE);
        p.stroke(p.circle(48, 48, 41.5), alpha(INK, 90), 1);
        p.stroke(p.circle(48, 48, 16), alpha(WHITE, 200), 6);
        arrowDown(p, 70, 50, 36, 4, GREEN);
    });
    auto updateBadge = [](int kind) {
        return [kind](Pic& p) {
            if (kind == 2) { // error: a warning triangle
                wxGraphicsPath t = p.poly({{16, 2}, {30, 26}, {2, 26}});
                p.fill(t, RED);
                p.line(16, 10, 16, 17.5, WHITE, 3);
                p.fill(p.circle(16, 22, 1.8), WHITE);
                return;
            }
            tray(p, 5, 17, 22, 9, 2.6, kind == 0 ? BLUE : GREEN);
            if (kind == 0)
                arrowDown(p, 16, 2, 20, 3, BLUE);
            else
                check(p, 8, 1, 17, 3.2, GREEN);
        };
    };
    add("IDP_UPDATE_DOWNLOADING", false, "update_dload_icon.png", 32, 28, updateBadge(0));
    add("IDP_UPDATE_ON_DISK", false, "update_ondisk_icon.png", 32, 28, updateBadge(1));
    add("IDP_UPDATE_ERROR", false, "update_error_icon.png", 32, 28, updateBadge(2));
    add("IDP_CURSOR_OPEN_HAND", false, "cursor-openhand.png", 16, 16, [](Pic& p) {
        // Drawn untinted as a pointer: white hand, dark outline.
        wxGraphicsPath hand = p.path();
        hand.AddRoundedRectangle(3.5, 7, 10, 8, 3);
        for (int i = 0; i < 4; ++i)
            hand.AddRoundedRectangle(3.5 + i * 2.5, 2 + (i == 0 || i == 3 ? 1.5 : 0), 2.5, 8, 1.2);
        hand.AddRoundedRectangle(0.8, 7.5, 5, 2.6, 1.2);
        p.stroke(hand, INK, 1.6);
        p.fill(hand, WHITE);
    });
    add("IDP_SHUTDOWN", false, "shutdown.png", 25, 25, [](Pic& p) {
        wxGraphicsPath arc = p.path();
        arc.AddArc(12.5, 13.5, 8, -PI / 2 + 0.6, -PI / 2 - 0.6 + 2 * PI, true);
        p.stroke(arc, WHITE, 2.4);
        p.line(12.5, 3.5, 12.5, 12, WHITE, 2.4);
    });
    add("IDP_REBOOT", false, "reboot.png", 25, 25,
        [](Pic& p) { circularArrow(p, 12.5, 12.5, 8, -PI * 0.2, PI * 1.45, 2.4, WHITE); });
    add("IDP_KEY", false, "key.png", 20, 20, [](Pic& p) {
        p.stroke(p.circle(6, 10, 3.8), WHITE, 2.2);
        p.line(9.8, 10, 18, 10, WHITE, 2.2, wxCAP_BUTT);
        p.line(15, 10, 15, 14, WHITE, 2, wxCAP_BUTT);
        p.line(17.4, 10, 17.4, 13, WHITE, 1.6, wxCAP_BUTT);
    });
    for (int i = 0; i <= 8; ++i) {
        static char names[9][24], files[9][24]; // room for any int, as the compiler checks
        std::snprintf(names[i], sizeof names[i], "IDP_CIRCLE%d", i);
        std::snprintf(files[i], sizeof files[i], "Circle%d.png", i);
        add(names[i], false, files[i], 13, 13, [i](Pic& p) {
            p.fill(p.circle(6.5, 6.5, 6.2), i == 0 ? GRAY : BLUE);
            p.text(wxString::Format("%d", i), 6.6, 6.5, 11, WHITE, true, true);
        });
    }
    add("IDP_CAUTION", false, "Caution.png", 13, 13, [](Pic& p) {
        p.fill(p.poly({{6.5, 0.5}, {12.8, 12}, {0.2, 12}}), YELLOW);
        p.line(6.5, 4.5, 6.5, 8, INK, 1.6, wxCAP_BUTT);
        p.fill(p.circle(6.5, 10, 0.9), INK);
    });
    add("IDP_WARNING_SMALL", false, "warning.png", 16, 16, [](Pic& p) {
        p.fill(p.poly({{8, 0.8}, {15.6, 14.6}, {0.4, 14.6}}), YELLOW);
        p.stroke(p.poly({{8, 0.8}, {15.6, 14.6}, {0.4, 14.6}}), shade(ORANGE, 0.9), 0.8);
        p.line(8, 5.2, 8, 9.8, INK, 1.8, wxCAP_BUTT);
        p.fill(p.circle(8, 12.2, 1.1), INK);
    });
    return t;
}

// ---- The other looks

// The dark and high-contrast looks draw a few pictures again: those whose own colours or
// lighting were chosen for the light panel (the logo's lettering, the panel's and the dialog
// tray's lighting, the gloss and rim over every button and checkbox, the progress bar's well
// and fill). They keep the light picture's size and its nine-patch cuts; every other picture is
// a shape the palette tints and serves all looks.
struct Restyled {
    const char* resource;
    Drawing dark, contrast;
};

const wxColour BLACK(0, 0, 0, 255);
const wxColour HC_FACE(255, 255, 255, 255);

void logoLettering(Pic& p, const wxColour& ink, bool big) {
    if (big) {
        orb(p, 40, 40, 30, RED);
        p.text("orbo", 84, -6, 84, ink, true);
        p.text("TM", 290, 8, 14, ink, false);
    } else {
        orb(p, 15, 15, 11, RED);
        p.text("orbo", 33, 1, 26, ink, true);
    }
}

std::vector<Restyled> restyledTable() {
    const wxColour paleInk(226, 226, 226, 255);
    return {
        {"IDP_LOGO_SMALL", [=](Pic& p) { logoLettering(p, paleInk, false); },
         [](Pic& p) { logoLettering(p, HC_FACE, false); }},
        {"IDP_LOGO", [=](Pic& p) { logoLettering(p, paleInk, true); },
         [](Pic& p) { logoLettering(p, HC_FACE, true); }},
        {"IDP_PANEL_LIGHTING",
         [](Pic& p) {
             // On a dark panel a bright band reads as glare: a faint one, and the shade below
             // in black, which still shows there.
             p.fillGradient(p.rect(22, 20, 84, 30), 0, 20, 0, 50, alpha(WHITE, 26),
                            alpha(WHITE, 0));
             p.fillGradient(p.rect(22, 84, 84, 24), 0, 84, 0, 108, alpha(BLACK, 0),
                            alpha(BLACK, 60));
             p.fillGradient(p.rect(22, 20, 12, 88), 22, 0, 34, 0, alpha(WHITE, 12),
                            alpha(WHITE, 0));
             p.fillGradient(p.rect(94, 20, 12, 88), 94, 0, 106, 0, alpha(BLACK, 0),
                            alpha(BLACK, 30));
         },
         [](Pic&) {}}, // high contrast: a flat panel, no gradient to lower the contrast
        {"IDP_TRAY_LIGHTING",
         [](Pic& p) {
             p.fill(p.rect(24, 0, 80, 64), alpha(BLACK, 40));
             p.fillGradient(p.rect(24, 0, 80, 14), 0, 0, 0, 14, alpha(BLACK, 70), alpha(BLACK, 0));
             p.fillGradient(p.rect(24, 50, 80, 14), 0, 50, 0, 64, alpha(WHITE, 0),
                            alpha(WHITE, 18));
         },
         [](Pic& p) {
             // The tray is marked off by a rule instead of a shade.
             p.fill(p.rect(24, 0, 80, 2), HC_FACE);
         }},
        {"IDP_CHECKBOX_SHADE",
         [](Pic& p) {
             // A softer gloss and a black rim: the rim is what separates a control from a
             // dark panel.
             p.fillGradient(p.rect(1, 1, 18, 8, 3), 0, 1, 0, 9, alpha(WHITE, 70), alpha(WHITE, 12));
             p.stroke(p.rect(0.5, 0.5, 19, 19, 3.7), alpha(BLACK, 150), 1.0);
             p.fillGradient(p.rect(1, 13, 18, 6, 3), 0, 13, 0, 19, alpha(BLACK, 0),
                            alpha(BLACK, 70));
         },
         [](Pic& p) {
             // No gloss: a solid two-pixel rim, white as the palette tints it, around every
             // button, checkbox, knob and combo box.
             p.stroke(p.rect(1, 1, 18, 18, 3.5), HC_FACE, 2.0);
         }},
        {"IDP_PROGRESS_WELL",
         [](Pic& p) {
             p.fill(p.rect(0, 0, 8, 4), wxColour(70, 72, 78, 255));
             p.fill(p.rect(0, 0, 1, 4), wxColour(24, 25, 28, 255));
             p.fill(p.rect(7, 0, 1, 4), wxColour(24, 25, 28, 255));
             p.fill(p.rect(1, 0, 1, 4), wxColour(50, 52, 56, 255));
             p.fill(p.rect(6, 0, 1, 4), wxColour(50, 52, 56, 255));
         },
         [](Pic& p) { p.fill(p.rect(0, 0, 8, 4), HC_FACE); }},
        {"IDP_PROGRESS_FLAT",
         [](Pic& p) {
             wxGraphicsPath bar = p.rect(0, 2, 32, 28, 5);
             p.fillGradient(bar, 0, 2, 0, 30, WHITE, wxColour(200, 200, 200, 255));
             p.fillGradient(p.rect(1, 3, 30, 11, 4.5), 0, 3, 0, 14, alpha(WHITE, 90),
                            alpha(WHITE, 20));
         },
         [](Pic& p) { p.fill(p.rect(0, 2, 32, 28, 5), WHITE); }},
    };
}

// ---- Output

// The device scales drawn besides 1x, each into images/<scale>x/.
const int SCALES[] = {2, 3};

// The other looks, each into images/<look>/ and its scale folders.
const char* const LOOKS[] = {"dark", "contrast"};

const Entry& entryOf(const std::vector<Entry>& entries, const char* resource) {
    for (const Entry& e : entries)
        if (wxString(e.resource) == resource)
            return e;
    std::fprintf(stderr, "no picture named %s\n", resource);
    std::exit(2);
}

bool writeXrc(const std::vector<Entry>& entries, const std::vector<Restyled>& restyled,
              const wxString& path) {
    wxString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<resource xmlns=\"http://www.wxwidgets.org/wxxrc\" version=\"2.8.3\">\n";
    for (const Entry& e : entries)
        xml += wxString::Format("  <object class=\"%s\" name=\"%s\">../images/%s</object>\n",
                                e.icon ? "wxIcon" : "wxBitmap", e.resource, e.file);
    // The sharper sets, named after the image with the scale behind an @.
    for (int scale : SCALES)
        for (const Entry& e : entries)
            if (!e.icon)
                xml += wxString::Format(
                    "  <object class=\"wxBitmap\" name=\"%s@%dx\">../images/%dx/%s</object>\n",
                    e.resource, scale, scale, e.file);
    // The other looks' pictures, named after the light one with the look behind a dash.
    for (const Restyled& r : restyled)
        for (const char* look : LOOKS) {
            const Entry& e = entryOf(entries, r.resource);
            xml += wxString::Format(
                "  <object class=\"wxBitmap\" name=\"%s-%s\">../images/%s/%s</object>\n",
                e.resource, look, look, e.file);
            for (int scale : SCALES)
                xml += wxString::Format("  <object class=\"wxBitmap\" name=\"%s-%s@%dx\">"
                                        "../images/%s/%dx/%s</object>\n",
                                        e.resource, look, scale, look, scale, e.file);
        }
    xml += "</resource>\n";
    wxFFile f(path, "wb");
    return f.IsOpened() && f.Write(xml);
}

// Every image at 1x and 4x, each on mid-grey and on white, with its resource name: the names
// and 1x copies side by side, the 4x copies below them.
wxImage contactSheet(const std::vector<Entry>& entries, const std::vector<wxImage>& images) {
    const int width = 1660, pad = 10, label = 18;
    struct Cell {
        int x, y, w, h;
    };
    std::vector<Cell> cells;
    int x = pad, y = pad, rowH = 0;
    for (const wxImage& im : images) {
        const int w = im.GetWidth(), h = im.GetHeight();
        const int cw = std::max({2 * (w + 3 * pad), 4 * w + 2 * pad, 170});
        const int ch = label + (h + 2 * pad) + 2 * (4 * h + 2 * pad);
        if (x + cw > width - pad) {
            x = pad;
            y += rowH + pad;
            rowH = 0;
        }
        cells.push_back(Cell{x, y, cw, ch});
        x += cw + pad;
        rowH = std::max(rowH, ch);
    }
    const int height = y + rowH + pad;
    Pic sheet(width, height);
    sheet.fill(sheet.rect(0, 0, width, height), wxColour(236, 236, 236, 255));
    const wxColour grey(128, 128, 128, 255);
    for (size_t i = 0; i < images.size(); ++i) {
        const Cell& c = cells[i];
        const wxImage& im = images[i];
        const int w = im.GetWidth(), h = im.GetHeight();
        const wxBitmap bmp(im);
        const wxBitmap big(im.Scale(4 * w, 4 * h, wxIMAGE_QUALITY_NEAREST));
        sheet.text(entries[i].resource, c.x, c.y, 12, INK, true);
        double top = c.y + label;
        for (int bg = 0; bg < 2; ++bg) { // 1x
            const double bx = c.x + bg * (w + 3 * pad);
            sheet.fill(sheet.rect(bx, top, w + 2 * pad, h + 2 * pad), bg == 0 ? grey : WHITE);
            sheet.gc->DrawBitmap(bmp, bx + pad, top + pad, w, h);
        }
        top += h + 2 * pad;
        for (int bg = 0; bg < 2; ++bg) { // 4x
            sheet.fill(sheet.rect(c.x, top, 4 * w + 2 * pad, 4 * h + 2 * pad),
                       bg == 0 ? grey : WHITE);
            sheet.gc->DrawBitmap(big, c.x + pad, top + pad, 4.0 * w, 4.0 * h);
            top += 4 * h + 2 * pad;
        }
    }
    return sheet.done();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: imagegen <repository root>\n");
        return 2;
    }
    orbotk::Application app(argc, argv);
    const wxString root = wxString::FromUTF8(argv[1]);
    const std::vector<Entry> entries = table();
    const std::vector<Restyled> restyled = restyledTable();
    std::vector<wxImage> images;
    std::vector<Entry> shown = entries; // on the contact sheet
    std::deque<std::string> names;      // the other looks' resource names, kept for the sheet
    int failures = 0;
    auto save = [&](const wxImage& image, const wxString& relative) {
        const wxString file = root + "/images/" + relative;
        if (!wxFileName::Mkdir(wxPathOnly(file), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL) ||
            !image.SaveFile(file, wxBITMAP_TYPE_PNG)) {
            std::fprintf(stderr, "cannot write images/%s\n",
                         static_cast<const char*>(relative.utf8_str()));
            ++failures;
        }
    };
    // One picture at 1x into dir, and at the other scales into dir/<scale>x/ unless an icon.
    auto drawAll = [&](const Entry& e, const Drawing& draw, const wxString& dir) {
        Pic p(e.w, e.h);
        draw(p);
        const wxImage image = p.done();
        save(image, dir + e.file);
        images.push_back(image);
        if (e.icon)
            return; // window icons come in sizes of their own
        for (int scale : SCALES) {
            Pic sharp(e.w, e.h, scale);
            draw(sharp);
            save(sharp.done(), wxString::Format("%s%dx/%s", dir, scale, e.file));
        }
    };
    for (const Entry& e : entries)
        drawAll(e, e.draw, "");
    for (const char* look : LOOKS)
        for (const Restyled& r : restyled) {
            Entry e = entryOf(entries, r.resource);
            names.push_back(std::string(e.resource) + "-" + look);
            shown.push_back(e);
            shown.back().resource = names.back().c_str();
            drawAll(e, wxString(look) == "dark" ? r.dark : r.contrast, wxString(look) + "/");
        }
    if (!writeXrc(entries, restyled, root + "/images/gui.xrc")) {
        std::fprintf(stderr, "cannot write images/gui.xrc\n");
        ++failures;
    }
    if (!contactSheet(shown, images).SaveFile(root + "/docs/image-set.png", wxBITMAP_TYPE_PNG)) {
        std::fprintf(stderr, "cannot write docs/image-set.png\n");
        ++failures;
    }
    std::printf("%zu images (%zu of them for the other looks), gui.xrc and the contact sheet "
                "written under %s\n",
                shown.size(), shown.size() - entries.size(), argv[1]);
    return failures == 0 ? 0 : 1;
}
