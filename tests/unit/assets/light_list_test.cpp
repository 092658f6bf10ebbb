// The light list without OpenGL: the defaults of "light1.gxl", appending and refusing names,
// the numbering that picks the OpenGL light, and the rotation of the applied vectors.
#include "assets/light.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LightDesc Directional(float red) {
    LightDesc desc = {};
    desc.type = LIGHT_DIRECTIONAL;
    desc.ambient[0] = red;
    desc.diffuse[1] = 1.0f;
    desc.specular[2] = 1.0f;
    desc.direction[0] = 1.0f;
    return desc;
}

TEST(LightList, DefaultsWriteOnlyTheColoursTypeAndDirection) {
    lightDesc = LightDesc{};
    lightDesc.ambient[3] = 7.0f;  // fields the defaults do not write keep their values
    lightDesc.position[1] = 8.0f;
    gmSetLightDefaults();
    EXPECT_EQ(lightDesc.type, LIGHT_DIRECTIONAL);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(lightDesc.ambient[i], 0.3f);
        EXPECT_EQ(lightDesc.diffuse[i], 1.0f);
        EXPECT_EQ(lightDesc.specular[i], 1.0f);
    }
    EXPECT_EQ(lightDesc.ambient[3], 7.0f);
    EXPECT_EQ(lightDesc.diffuse[3], 0.0f);
    EXPECT_EQ(lightDesc.specular[3], 0.0f);
    EXPECT_EQ(lightDesc.position[1], 8.0f);
    EXPECT_EQ(lightDesc.direction[0], 5.0f);
    EXPECT_EQ(lightDesc.direction[1], 0.0f);
    EXPECT_EQ(lightDesc.direction[2], 1.0f);
    lightDesc = LightDesc{};
}

struct Step {
    const char* label;
    std::string name;
    int added;   // Light::add's result
    int number;  // the light's number from -1 at the root afterwards, -1 when absent
};

// One list built step by step; after each step the name is looked up as Light::apply does.
TEST(LightList, AppendsUniqueNamesAndNumbersThemFromTheRoot) {
    Light root(1);
    const Step steps[] = {
        {"the first light", "light1.gxl", 1, 0},
        {"the same name again", "light1.gxl", 0, 0},
        {"a second light", "light2.gxl", 1, 1},
        {"names differ by case", "LIGHT1.gxl", 1, 2},
        {"511 characters", std::string(511, 'l'), 1, 3},
        {"512 characters", std::string(512, 'l'), 0, -1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        EXPECT_EQ(root.add(step.name.c_str(), Directional(0.5f)), step.added);
        int number = -99;
        Light* found = root.find_numbered(step.name.c_str(), -1, &number);
        if (step.number < 0) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(number, step.number);
            EXPECT_EQ(found, root.find(step.name.c_str()));
            EXPECT_STREQ(found->name, step.name.c_str());
        }
    }
    EXPECT_EQ(root.find("light3.gxl"), nullptr);
    EXPECT_EQ(root.find(""), nullptr);  // the root's own name never matches
    EXPECT_EQ(root.find(nullptr), nullptr);
    EXPECT_EQ(root.add(nullptr, Directional(0.5f)), 0);
}

TEST(LightList, ADuplicateLeavesTheFirstLightUnchanged) {
    Light root(1);
    ASSERT_EQ(root.add("light1.gxl", Directional(0.25f)), 1);
    EXPECT_EQ(root.add("light1.gxl", Directional(0.75f)), 0);
    const Light* light = root.find("light1.gxl");
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->ambient[0], 0.25f);
    EXPECT_EQ(light->next, nullptr);
}

TEST(LightList, CopiesTheDescriptionByType) {
    // type, ambient, diffuse, specular, position, direction
    const LightDesc point = {LIGHT_POINT, {}, {}, {}, {1, 2, 3, 1}, {9, 0, 0}};
    gmSetLightDefaults();
    Light root(1);
    ASSERT_EQ(root.add("light1.gxl", lightDesc), 1);
    ASSERT_EQ(root.add("lamp.gxl", point), 1);
    lightDesc = LightDesc{};

    Light* sun = root.find("light1.gxl");
    sun->update_applied();
    const float sun_direction[4] = {5, 0, 1, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sun->applied_direction[i], sun_direction[i]) << i;
        EXPECT_EQ(sun->position[i], 0.0f) << i;
        EXPECT_EQ(sun->applied_position[i], 0.0f) << i;
    }
    EXPECT_FLOAT_EQ(sun->ambient[0], 0.3f);
    EXPECT_EQ(sun->ambient[3], 0.0f);

    Light* lamp = root.find("lamp.gxl");
    lamp->update_applied();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lamp->applied_position[i], point.position[i]) << i;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lamp->direction[i], 0.0f) << i;
    EXPECT_EQ(lamp->applied_direction[0], 0.0f);
}

struct Turn {
    const char* label;
    float rotation[3];
    double in[4];
    double out[4];
};

TEST(LightList, RotatesAboutXThenYThenZ) {
    const Turn turns[] = {
        {"none", {0, 0, 0}, {5, 0, 1, 1}, {5, 0, 1, 1}},
        {"about X", {90, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 1}},
        {"about Y", {0, 90, 0}, {0, 0, 1, 0}, {1, 0, 0, 0}},
        {"about Z", {0, 0, 90}, {1, 0, 0, 1}, {0, 1, 0, 1}},
        // X first: (0, 1, 0) goes to (0, 0, 1), which Y then takes to (1, 0, 0). Y first
        // would leave it for X to take to (0, 0, 1).
        {"X then Y", {90, 90, 0}, {0, 1, 0, 1}, {1, 0, 0, 1}},
        {"Y then Z", {0, 90, 90}, {0, 0, 1, 1}, {0, 1, 0, 1}},
    };
    for (const Turn& turn : turns) {
        SCOPED_TRACE(turn.label);
        double out[4] = {};
        RotateLightVector(turn.rotation, turn.in, out);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(out[i], turn.out[i], 1e-12) << i;
    }
}

}  // namespace
