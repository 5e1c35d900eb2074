// ---------------------------------------------------------------------------
// What the scene must show, as pixel probes. The rotor turns all the time,
// so every probe sits where the picture does not depend on its angle.
// ---------------------------------------------------------------------------
#include "scene_probes.h"

namespace e2e {
namespace {

struct Probe {
    double worldX;
    double worldY;
    Rgb colour;
    const char* what;
};

// World positions (y up, origin in the window's centre) that show the same
// colour whatever the rotor's angle.
const Probe kStillProbes[] = {
    {1, 0, kGreen, "green panel just right of the band's centre line"},
    {-1, 0, kRed, "red panel just left of the band's centre line"},
    {-8, 0, kTeal, "teal shaft beyond the band on the left"},
    // The blade spins about the shaft, but its middle, within 2.5 units of
    // the axis, is always there.
    {10.2, 1.5, kBlue, "blue blade at the shaft's right end"},
    {10.2, -1.5, kBlue, "blue blade at the shaft's right end"},
    // The band is wider at the bottom: at 4 units up, 7 across is empty;
    // at 14 down, the same 7 across is still on the band.
    {-7, 4, kBlack, "background beside the band's narrow top"},
    {-24, 24, kBlack, "background, top left"},
    {24, -24, kBlack, "background, bottom right"},
    {24, 24, kBlack, "background, top right"},
};

} // namespace

void expectStillScene(const Image& image, const View& view)
{
    for (const Probe& p : kStillProbes) {
        EXPECT_TRUE(probe(image, view.px(p.worldX), view.py(p.worldY), p.colour, p.what));
    }
    const Rgb wideBottom = image.at(view.px(-7), view.py(-14));
    EXPECT_TRUE(near(wideBottom, kRed) || near(wideBottom, kGreen))
        << "band's wide bottom at world (-7,-14): expected red or green, observed " << wideBottom;
}

// Text lines start at world x = -20, baselines at y = 20 and y = -20; a box
// around each, from a little above the capitals to below the descenders.
struct TextBox {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

TextBox textBox(const View& view, double baselineY)
{
    const int baseline = view.py(baselineY);
    return TextBox{view.px(-20) - 1, baseline - 18, view.width - 1, baseline + 6};
}

void expectYellowOnlyInText(const Image& image, const View& view)
{
    const TextBox boxes[] = {textBox(view, 20), textBox(view, -20)};
    int inside[2] = {0, 0};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!near(image.at(x, y), kYellow, 40)) {
                continue;
            }
            bool inBox = false;
            for (int line = 0; line < 2; ++line) {
                if (boxes[line].contains(x, y)) {
                    ++inside[line];
                    inBox = true;
                }
            }
            ASSERT_TRUE(inBox) << "yellow outside both text lines at pixel (" << x << "," << y << ")";
        }
    }
    // A 16- and a 26-character line of 18-point text: hundreds of pixels each.
    EXPECT_GT(inside[0], 100) << "credit line: yellow pixels observed";
    EXPECT_GT(inside[1], 150) << "key help line: yellow pixels observed";
}

// Walks from (x, y) by (dx, dy) while `inside` holds; the last pixel where it held.
template <typename Inside> int lastPixelWhere(const Image& image, int x, int y, int dx, int dy, Inside inside)
{
    while (x + dx >= 0 && y + dy >= 0 && x + dx < image.width && y + dy < image.height &&
           inside(image.at(x + dx, y + dy))) {
        x += dx;
        y += dy;
    }
    return dx != 0 ? x : y;
}

// One world unit must cover the same number of pixels across and down: the
// shaft's end (10 units left of centre) and the band's bottom edge (15 units
// below) are measured and compared with the expected scale.
void expectProportions(const Image& image, const View& view)
{
    const int shaftEnd =
        lastPixelWhere(image, view.px(-8), view.py(0), -1, 0, [](const Rgb& c) { return near(c, kTeal); });
    const int bandBottom =
        lastPixelWhere(image, view.px(1), view.py(0), 0, 1, [](const Rgb& c) { return !near(c, kBlack); });
    const double across = (view.width / 2.0 - shaftEnd) / 10.0;
    const double down = (bandBottom + 1 - view.height / 2.0) / 15.0;
    EXPECT_NEAR(across, view.scale(), 0.25)
        << "pixels per world unit across (shaft's left end at x=" << shaftEnd << ")";
    EXPECT_NEAR(down, view.scale(), 0.25) << "pixels per world unit down (band's bottom at y=" << bandBottom << ")";
}

} // namespace e2e
