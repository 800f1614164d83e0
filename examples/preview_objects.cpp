#include "examples/preview_objects.h"

#include <cmath>
#include <numbers>

#include "examples/ring_mesh.h"
#include "examples/turned_profile.h"

namespace {

constexpr double Pi = std::numbers::pi;

double Radians(double degrees) {
    return degrees * Pi / 180;
}

// ---- The machined part ----

struct OutlineSlot {
    Vec3 point;       // on the outline at y = 0
    Vec3 normal;      // outwards, in the plane
    bool arcFollows;  // the outline's piece from this slot to the next is a corner arc
};

struct PlateShape {
    double halfX = 2.0, halfZ = 1.4, cornerRadius = 0.45;
    int cornerSegments = 2, longEdgeSegments = 1, shortEdgeSegments = 1;
};

// The plate's outline, a rectangle with rounded corners, corner arcs and straight edges
// cut into several pieces each so that the faces beside them have polygons to smooth over.
std::vector<OutlineSlot> PlateOutline(const PlateShape &shape) {
    std::vector<OutlineSlot> slots;
    double r = shape.cornerRadius;
    for (int corner = 0; corner < 4; ++corner) {
        double start = corner * Pi / 2;
        Vec3 centre = {std::cos(start + Pi / 4) > 0 ? shape.halfX - r : r - shape.halfX, 0,
                       std::sin(start + Pi / 4) > 0 ? r - shape.halfZ : shape.halfZ - r};
        for (int step = 0; step <= shape.cornerSegments; ++step) {
            Vec3 normal = AtAngle(start + step * (Pi / 2) / shape.cornerSegments, 1, 0);
            slots.push_back({centre + r * normal, normal, step < shape.cornerSegments});
        }
        int pieces = corner % 2 == 0 ? shape.longEdgeSegments : shape.shortEdgeSegments;
        Vec3 from = slots.back().point, normal = slots.back().normal;
        double nextStart = start + Pi / 2;
        Vec3 nextCentre = {std::cos(nextStart + Pi / 4) > 0 ? shape.halfX - r : r - shape.halfX, 0,
                           std::sin(nextStart + Pi / 4) > 0 ? r - shape.halfZ : shape.halfZ - r};
        Vec3 to = nextCentre + r * normal;
        for (int piece = 1; piece < pieces; ++piece)
            slots.push_back(
                {from + (static_cast<double>(piece) / pieces) * (to - from), normal, false});
    }
    return slots;
}

std::vector<Vec3> OutlineRing(const std::vector<OutlineSlot> &slots, double inset, double y) {
    std::vector<Vec3> ring;
    for (const OutlineSlot &slot : slots)
        ring.push_back(slot.point - inset * slot.normal + Vec3{0, y, 0});
    return ring;
}

// Angles for the boss's circles: halfway between the direction of each outline slot and an even
// spread, so that the radial quads of the top face stay convex and the boss's facets even.
std::vector<double> BossAngles(const std::vector<Vec3> &topOutline) {
    // The first slot is its own start: comparing its direction with itself could, in x87
    // registers, find it a hair behind and send it a whole turn on.
    double first = std::atan2(-topOutline[0].z, topOutline[0].x);
    std::vector<double> angles{first};
    double previous = first;
    for (size_t slot = 1; slot < topOutline.size(); ++slot) {
        double toward = std::atan2(-topOutline[slot].z, topOutline[slot].x);
        while (toward < previous) toward += 2 * Pi;
        previous = toward;
        double even = first + 2 * Pi * slot / topOutline.size();
        angles.push_back(0.5 * (toward + even));
    }
    return angles;
}

}  // namespace

PreviewObject MachinedPart() {
    // Few polygons, as a model made for real-time use has them: the corner fillets turn in 45
    // degree steps and the boss has twelve facets, while the chamfers crease only 30 and 20
    // degrees, so that no single smoothing angle rounds the one and keeps the other.
    PlateShape shape;
    const double plateTop = 0.6, chamfer = 0.16, chamferDrop = chamfer * std::tan(Radians(30));
    const double bossRadius = 0.85, bossTop = 1.3, filletRadius = 0.2;
    const double bossChamferDrop = 0.15, bossChamfer = bossChamferDrop * std::tan(Radians(20));
    const double boreRadius = 0.42, boreChamferDrop = 0.12, boreBottom = 0.45;
    const double boreChamfer = boreChamferDrop * std::tan(Radians(20));
    const int filletSegments = 4;

    std::vector<OutlineSlot> outline = PlateOutline(shape);
    RingStack stack;
    stack.rings.push_back(OutlineRing(outline, 0, 0));
    stack.rings.push_back(OutlineRing(outline, 0, plateTop - chamferDrop));
    stack.rings.push_back(OutlineRing(outline, chamfer, plateTop));
    std::vector<double> angles = BossAngles(stack.rings.back());
    for (int step = 0; step <= filletSegments; ++step) {
        double turn = step * (Pi / 2) / filletSegments;
        stack.rings.push_back(Circle(angles, bossRadius + filletRadius * (1 - std::sin(turn)),
                                     plateTop + filletRadius * (1 - std::cos(turn))));
    }
    stack.rings.push_back(Circle(angles, bossRadius, bossTop - bossChamferDrop));
    stack.rings.push_back(Circle(angles, bossRadius - bossChamfer, bossTop));
    stack.rings.push_back(Circle(angles, boreRadius + boreChamfer, bossTop));
    stack.rings.push_back(Circle(angles, boreRadius, bossTop - boreChamferDrop));
    stack.rings.push_back(Circle(angles, boreRadius, boreBottom));
    stack.apex = {0, boreBottom, 0};

    const int filletEnd = 3 + filletSegments;  // the first ring of the boss's wall
    stack.partOf = [&outline, filletEnd](int ring, int slot) -> std::string {
        if (ring == 0) return outline[slot].arcFollows ? "Fillets" : "Faces";
        if (ring == 1) return "Chamfers";
        if (ring == 2) return "Faces";
        if (ring < filletEnd) return "Fillets";
        const char *boss[] = {"Cylinders", "Chamfers", "Faces", "Chamfers", "Cylinders"};
        return boss[ring - filletEnd];
    };
    stack.bottomPart = "Faces";
    stack.apexPart = "Faces";

    return {"machined_part",
            "Steel",
            StitchRings(stack, "Steel"),
            {{"Faces", 20, true, true},
             {"Chamfers", 45, true, true},
             {"Fillets", 50, false, true},
             {"Cylinders", 45, true, true}},
            45};
}

namespace {

// ---- The knob ----

struct ProfilePoint {
    double radius, y;
};

// One band of a turned profile: an arc from the previous band's end to `end`, turning by
// `turnDegrees` along the way (positive bulges outwards), cut into `segments`.
struct ProfileBand {
    ProfilePoint end;
    double turnDegrees;
    int segments;
    std::string part;
};

// The points of an arc from `from` to `to` that turns by `turn` radians, after `from`.
std::vector<ProfilePoint> ArcPoints(ProfilePoint from, ProfilePoint to, double turn, int segments) {
    double dr = to.radius - from.radius, dy = to.y - from.y;
    double chord = std::hypot(dr, dy), chordAngle = std::atan2(dy, dr);
    std::vector<ProfilePoint> points;
    for (int step = 1; step <= segments; ++step) {
        double t = static_cast<double>(step) / segments;
        if (std::abs(turn) < 1e-9) {
            points.push_back({from.radius + t * dr, from.y + t * dy});
            continue;
        }
        double start = chordAngle - turn / 2, radius = chord / (2 * std::sin(turn / 2));
        double centreR = from.radius - radius * std::sin(start),
               centreY = from.y + radius * std::cos(start);
        double angle = start + turn * t;
        points.push_back({centreR + radius * std::sin(angle), centreY - radius * std::cos(angle)});
    }
    return points;
}

}  // namespace

PreviewObject BandedKnob() {
    // Eight facets, 45 degrees apart, that should read as round, between chamfers that break
    // the walls by only 30 degrees and should read as crisp lines.
    const int slots = 8;
    const double chamferLength = 0.2, chamferTurn = Radians(30);
    // A facet's middle lies closer to the axis than its corners: the chamfer steps in further at
    // the corners so that it turns by its angle on the facets.
    const double atFacetMiddle = std::cos(Pi / slots);
    const ProfilePoint base{1.0, 0};
    const ProfilePoint skirtTop{1.0, 0.4};
    const ProfilePoint skirtChamfer{
        skirtTop.radius - chamferLength * std::sin(chamferTurn) / atFacetMiddle,
        skirtTop.y + chamferLength * std::cos(chamferTurn)};
    const ProfilePoint ledge{0.68, skirtChamfer.y};
    const ProfilePoint gripTop{ledge.radius, 1.35};
    const ProfilePoint gripChamfer{
        gripTop.radius - chamferLength * std::sin(chamferTurn) / atFacetMiddle,
        gripTop.y + chamferLength * std::cos(chamferTurn)};
    const std::vector<ProfileBand> bands = {
        {skirtTop, 0, 1, "Walls"}, {skirtChamfer, 0, 1, "Chamfers"}, {ledge, 0, 1, "Faces"},
        {gripTop, 0, 1, "Walls"},  {gripChamfer, 0, 1, "Chamfers"},
    };

    std::vector<double> angles;
    for (int slot = 0; slot < slots; ++slot) angles.push_back(2 * Pi * (slot + 0.5) / slots);

    RingStack stack;
    std::vector<std::string> bandParts;
    stack.rings.push_back(Circle(angles, base.radius, base.y));
    ProfilePoint from = base;
    for (const ProfileBand &band : bands) {
        for (ProfilePoint point :
             ArcPoints(from, band.end, Radians(band.turnDegrees), band.segments)) {
            stack.rings.push_back(Circle(angles, point.radius, point.y));
            bandParts.push_back(band.part);
        }
        from = band.end;
    }
    stack.partOf = [bandParts](int ring, int) { return bandParts[ring]; };
    stack.bottomPart = "Base";
    stack.apexPart = "Faces";
    stack.apex = {0, gripChamfer.y, 0};

    return {"banded_knob",
            "Plastic",
            StitchRings(stack, "Plastic"),
            {{"Base", 89.5, false, false},
             {"Walls", 50, true, true},
             {"Chamfers", 45, true, true},
             {"Faces", 20, true, true}},
            45.5};
}

PreviewObject Bottle() {
    // The shoulder turns in the same steps as the body's facets, so that the body rounds over it
    // as one surface; the lip's chamfer breaks the neck and the top by 45 degrees.
    const int facets = 32;
    const double facetDegrees = 360.0 / facets;
    std::vector<ProfileStep> profile{{0.6, 0, ""}, {0.6, 1, "Body"}};
    for (int step = 1; step * facetDegrees <= 90; ++step)
        profile.push_back(OnArc(0.25, 1, 0.35, step * facetDegrees, "Body"));
    for (ProfileStep step : {ProfileStep{0.25, 1.8, "Neck"}, {0.22, 1.83, "Lip"}})
        profile.push_back(step);
    return {"bottle",
            "Glass",
            Turned(facets, profile, "Base", "Top", "Glass"),
            {{"Body", 30, true},
             {"Neck", 30, true},
             {"Lip", 30, true},
             {"Base", 20, true},
             {"Top", 20, true}},
            // Every angle between the facets' 11.25 degrees and the lip's 45 shades it as its sets
            // do; the sets' own 30 is one of them.
            30};
}

std::shared_ptr<ObjectFile> PreviewFile(const PreviewObject &object) {
    auto file = std::make_shared<ObjectFile>();
    file->filename = object.stem + ".lwo";
    file->mesh = object.mesh;
    file->surfaces = {object.surface};
    file->smoothing = {{object.surface, static_cast<float>(Radians(object.hostSmoothingDegrees))}};
    return file;
}

std::vector<PreviewObject> PreviewObjects() {
    return {MachinedPart(), BandedKnob()};
}

std::vector<PreviewObject> ExampleObjects() {
    std::vector<PreviewObject> objects = PreviewObjects();
    objects.push_back(Bottle());
    return objects;
}
