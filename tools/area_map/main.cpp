// area_map: writes an SVG picture of the program's street areas (the table
// the program itself uses), a grid of sample points coloured by the area the
// look-up gives them, and fake_lfs's lap route over it, on axes in metres
// with a scale.

#include <cstdio>
#include <sstream>
#include <string>

#include "app/street_areas.h"
#include "insim/records.h"
#include "tools/cli/command_line.h"
#include "tools/simulator/lap_route.h"

namespace {

// The part of the ground plane shown, in metres, and its scale.
constexpr int kMinX = -100;
constexpr int kMaxX = 500;
constexpr int kMinY = -820;
constexpr int kMaxY = 700;
constexpr int kGrid = 20;       // metres between sample points
constexpr int kTick = 100;      // metres between grid lines and axis labels
constexpr double kScale = 0.5;  // pixels per metre
// Room around the plot for the axes' labels, and beside it for the legend.
constexpr double kLeft = 44;
constexpr double kTop = 10;
constexpr double kBottom = 36;
constexpr double kLegendWidth = 130;

constexpr double kPlotWidth = (kMaxX - kMinX) * kScale;
constexpr double kPlotHeight = (kMaxY - kMinY) * kScale;

double px(double x) {
    return kLeft + (x - kMinX) * kScale;
}
double py(double y) {
    return kTop + (kMaxY - y) * kScale;
}  // y grows upwards on the track

// The first multiple of kTick at or above `metres`.
int first_tick(int metres) {
    const int below = metres / kTick * kTick;
    return below < metres ? below + kTick : below;
}

struct AreaStyle {
    const char* name;
    const char* colour;
};

const AreaStyle kStyles[] = {
    {street_names::backstraightName, "#d62728"},
    {street_names::chicaneName, "#1f77b4"},
    {street_names::sector2Name, "#2ca02c"},
    {street_names::noAreaName, "#cccccc"},
};

const char* colour_of(const char* name) {
    for (const AreaStyle& style : kStyles) {
        if (style.name == name) {
            return style.colour;
        }
    }
    return "#000000";
}

void outline(std::ostream& svg, const geometry::Polygon& area, const char* name) {
    svg << "  <polygon fill=\"none\" stroke=\"" << colour_of(name)
        << "\" stroke-width=\"1.5\" points=\"";
    for (const geometry::Point& corner : area.getVertices()) {
        svg << px(corner.getX()) << ',' << py(corner.getY()) << ' ';
    }
    svg << "\"/>\n";
}

// Grid lines every kTick metres, the axes along the plot's left and bottom
// edges labelled in metres, so that a position fake_lfs prints, "car at
// (420, -700) m", can be found on the picture.
void axes(std::ostream& svg) {
    for (int x = first_tick(kMinX); x <= kMaxX; x += kTick) {
        svg << "  <line x1=\"" << px(x) << "\" y1=\"" << py(kMinY) << "\" x2=\"" << px(x)
            << "\" y2=\"" << py(kMaxY) << "\" stroke=\"" << (x == 0 ? "#999999" : "#e4e4e4")
            << "\"/>\n";
        svg << "  <text x=\"" << px(x) << "\" y=\"" << py(kMinY) + 14
            << "\" text-anchor=\"middle\">" << x << "</text>\n";
    }
    for (int y = first_tick(kMinY); y <= kMaxY; y += kTick) {
        svg << "  <line x1=\"" << px(kMinX) << "\" y1=\"" << py(y) << "\" x2=\"" << px(kMaxX)
            << "\" y2=\"" << py(y) << "\" stroke=\"" << (y == 0 ? "#999999" : "#e4e4e4")
            << "\"/>\n";
        svg << "  <text x=\"" << px(kMinX) - 4 << "\" y=\"" << py(y) + 4
            << "\" text-anchor=\"end\">" << y << "</text>\n";
    }
    svg << "  <rect x=\"" << px(kMinX) << "\" y=\"" << py(kMaxY) << "\" width=\"" << kPlotWidth
        << "\" height=\"" << kPlotHeight << "\" fill=\"none\" stroke=\"#666666\"/>\n";
    svg << "  <text x=\"" << px(kMinX) + kPlotWidth / 2 << "\" y=\"" << py(kMinY) + 29
        << "\" text-anchor=\"middle\">x (m)</text>\n";
    svg << "  <text transform=\"translate(" << kLeft - 32 << ',' << py(kMinY) - kPlotHeight / 2
        << ") rotate(-90)\" text-anchor=\"middle\">y (m)</text>\n";
}

// A bar of kTick metres, under the legend at `x`, `y`.
void scale_bar(std::ostream& svg, double x, double y) {
    const double end = x + kTick * kScale;
    svg << "  <path d=\"M" << x << ',' << y - 4 << " V" << y << " H" << end << " V" << y - 4
        << "\" fill=\"none\" stroke=\"black\"/>\n";
    svg << "  <text x=\"" << x << "\" y=\"" << y + 14 << "\">" << kTick << " m</text>\n";
}

std::string picture() {
    street_names::addAreaCorners();
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kLeft + kPlotWidth + kLegendWidth
        << "\" height=\"" << kTop + kPlotHeight + kBottom << "\" font-family=\"sans-serif\" "
        << "font-size=\"11\">\n";
    svg << "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    axes(svg);
    for (int x = kMinX; x <= kMaxX; x += kGrid) {
        for (int y = kMinY; y <= kMaxY; y += kGrid) {
            svg << "  <circle cx=\"" << px(x) << "\" cy=\"" << py(y) << "\" r=\"1.6\" fill=\""
                << colour_of(street_names::areaNameAt({x, y})) << "\"/>\n";
        }
    }
    outline(svg, street_names::backstraightArea, street_names::backstraightName);
    outline(svg, street_names::chicaneArea, street_names::chicaneName);
    outline(svg, street_names::sector2Area, street_names::sector2Name);

    svg << "  <polygon fill=\"none\" stroke=\"black\" stroke-dasharray=\"4 3\" points=\"";
    for (const sim::CarPosition& at : sim::lap_route()) {
        svg << px(at.x / insim::kPositionUnit) << ',' << py(at.y / insim::kPositionUnit) << ' ';
    }
    svg << "\"/>\n";
    for (const sim::CarPosition& at : sim::lap_route()) {
        const geometry::Point pos(at.x / insim::kPositionUnit, at.y / insim::kPositionUnit);
        svg << "  <circle cx=\"" << px(pos.getX()) << "\" cy=\"" << py(pos.getY())
            << "\" r=\"3.5\" stroke=\"black\" fill=\"" << colour_of(street_names::areaNameAt(pos))
            << "\"/>\n";
    }

    const double legend_x = kLeft + kPlotWidth + 10;
    int line = 0;
    for (const AreaStyle& style : kStyles) {
        const double y = kTop + 20 + 18 * line++;
        svg << "  <circle cx=\"" << legend_x + 5 << "\" cy=\"" << y - 4 << "\" r=\"4\" fill=\""
            << style.colour << "\"/>\n";
        svg << "  <text x=\"" << legend_x + 14 << "\" y=\"" << y << "\">"
            << (style.name[0] != '\0' ? style.name : "no area") << "</text>\n";
    }
    svg << "  <text x=\"" << legend_x << "\" y=\"" << kTop + 20 + 18 * line++
        << "\">- - lap route</text>\n";
    scale_bar(svg, legend_x, kTop + 20 + 18 * line + 10);
    svg << "</svg>\n";
    return svg.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::string output;
    CLI::App app(
        "Writes an SVG picture of the program's street areas, sample points coloured by\n"
        "the area the look-up gives them, and fake_lfs's lap route.",
        "area_map");
    command_line::prepare(app);
    app.footer(
        "Exit status: 0 when the picture was written; 1 when OUTPUT cannot be\n"
        "written; 2 for a usage error.");
    app.set_version_flag("--version", command_line::kProjectVersion);
    app.add_option("OUTPUT", output, "the picture to write; standard output when not given")
        ->type_name("OUTPUT.svg");
    command_line::parse(app, argc, argv);
    const std::string svg = picture();
    return command_line::write_output("area_map", output, svg) ? 0 : 1;
}
