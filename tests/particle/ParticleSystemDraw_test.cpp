// The batched system draw against the particles' own draws: same pixels, same GL state after.
#include "ParticleSystem.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>

namespace {
struct Set : ParticleSystem {
    explicit Set(const std::string& texturePath) {
        quietly([&] { setTexture(texturePath); });
    }
    ~Set() override {
        for (int i = 0; i < numParticles; i++) delete myParticles[i];
    }
    Particle* add(Particle::particleType type, float size, QOR3dVector velocity = default3dVector) {
        QORColor colour = {unit(), unit(), unit(), 0.3f + 0.7f * unit()};
        QOR3dVector at(unit() * 3 - 1.5f, unit() * 3 - 1.5f, unit() * 2 - 1);
        return myParticles[numParticles++] =
                   new Particle(at, velocity, default3dVector, colour, type, true, 10.0f, size, 1.0f);
    }
    static float unit() { return std::rand() / (float)RAND_MAX; }
    GLuint texture() { return myTexture.GetID(); }
};

// Everything the particle draws could leave changed, as one list of numbers.
std::vector<GLfloat> glState() {
    GLboolean mask;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    std::vector<GLfloat> s = {(GLfloat)mask};
    for (GLenum cap : {GL_CULL_FACE, GL_TEXTURE_2D, GL_POINT_SMOOTH, GL_LINE_SMOOTH})
        s.push_back(glIsEnabled(cap));
    const std::pair<GLenum, int> values[] = {
        {GL_CURRENT_COLOR, 4}, {GL_CURRENT_NORMAL, 3},       {GL_CURRENT_TEXTURE_COORDS, 4},
        {GL_LINE_WIDTH, 1},    {GL_POINT_SIZE, 1},           {GL_MODELVIEW_MATRIX, 16},
        {GL_MATRIX_MODE, 1},   {GL_MODELVIEW_STACK_DEPTH, 1}, {GL_TEXTURE_BINDING_2D, 1}};
    for (const auto& v : values) {
        GLfloat got[16];
        glGetFloatv(v.first, got);
        s.insert(s.end(), got, got + v.second);
    }
    return s;
}

// Pixels differing by more than tol in some channel, and the largest difference.
std::pair<int, int> compare(const std::vector<unsigned char>& a,
                            const std::vector<unsigned char>& b, int tol) {
    int count = 0, largest = 0;
    for (size_t i = 0; i < a.size(); i += 4) {
        int d = 0;
        for (int c = 0; c < 3; c++) d = std::max(d, std::abs(a[i + c] - b[i + c]));
        largest = std::max(largest, d);
        count += d > tol;
    }
    return {count, largest};
}

class SystemDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        // A 4x4 sprite of distinct texels, so a flipped or rotated square shows.
        std::vector<uint8_t> texels;
        for (int i = 0; i < 16; i++)
            texels.insert(texels.end(), {(uint8_t)(i * 16), (uint8_t)(255 - i * 12),
                                         (uint8_t)((i % 4) * 80), (uint8_t)(128 + i * 8)});
        texturePath = tgatest::writeTga(tgatest::tempPath("sprite.tga"), 4, 4, 32, texels);
        glMatrixMode(GL_PROJECTION);
        gluPerspective(40.0, 1.0, 1.0, 50.0);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
    }
    void TearDown() override {
        for (GLenum cap : {GL_DEPTH_TEST, GL_TEXTURE_2D, GL_LIGHTING, GL_BLEND, GL_COLOR_MATERIAL,
                           GL_NORMALIZE, GL_CULL_FACE, GL_LINE_SMOOTH})
            glDisable(cap);
        glDepthMask(GL_TRUE);
        GLTest::TearDown();
    }
    // Draws the set from the same starting state, one particle at a time or as a system.
    std::vector<unsigned char> render(Set& set, bool batched, std::vector<GLfloat>& after) {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, 0);  // the system must bind its own sprite
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.5f, 0.25f, 0.75f, 1.0f);
        glNormal3f(0.6f, 0.0f, 0.8f);
        glTexCoord2f(0.5f, 0.5f);
        glLineWidth(1.0f);
        glPointSize(1.0f);
        glPushMatrix();
        glTranslatef(0.3f, -0.2f, -7.0f);
        glRotatef(35.0f, 1.0f, 2.0f, 0.5f);
        glScalef(1.3f, 0.8f, 1.1f);
        if (!batched) glBindTexture(GL_TEXTURE_2D, set.texture());
        for (int i = 0; !batched && i < set.getNumParticles(); i++) set.getParticle(i)->draw();
        if (batched) set.draw();
        after = glState();
        glPopMatrix();
        glFinish();
        return testgl::readBack(0, 0, 800, 800);
    }
    int lit(const std::vector<unsigned char>& a) { return compare(a, black, 0).first; }

    std::string texturePath;
    const std::vector<unsigned char> black = std::vector<unsigned char>(800 * 800 * 4, 0);
};
}  // namespace

TEST_F(SystemDrawTest, BatchesMatchTheParticlesOwnDrawsInEveryBlendMode) {
    std::srand(11);
    Set fire(texturePath), fireworks(texturePath), mixed(texturePath);
    for (int i = 0; i < 300; i++)
        fire.add(Particle::PARTICLE_TRIANGLE_STRIP, 0.05f + 0.55f * Set::unit());
    fire.getParticle(7)->setAlive(false);
    fire.getParticle(299)->setAlive(false);  // the last one is dead: the live one before decides
    for (int i = 0; i < 60; i++)
        fireworks.add(Particle::PARTICLE_TRIANGLE_STRIP_AND_LINE, i % 3 ? 0.4f : 1.5f,
                      QOR3dVector(Set::unit() - 0.5f, Set::unit(), Set::unit() - 0.5f));
    for (int i = 0; i < 80; i++)  // every type; points and lines up to 6.5 pixels wide
        mixed.add((Particle::particleType)(i % 6), 0.5f + 6.0f * Set::unit() * (i % 6 < 2),
                  QOR3dVector(Set::unit() - 0.5f, Set::unit() - 0.5f, 0.3f));
    mixed.add(Particle::PARTICLE_POINT, 0.0f);  // draws nothing

    const GLfloat lightDir[] = {0.3f, 0.5f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightDir);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    // Blending on, source and destination factors, lighting, normalising.
    const struct { bool blend; GLenum src, dst; bool lighting, normalize; } modes[] = {
        {true, GL_SRC_ALPHA, GL_DST_ALPHA, true, true},  // the scene's
        {true, GL_SRC_ALPHA, GL_ONE, false, false},
        {true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, true, false},
        {false, GL_ONE, GL_ZERO, false, false}};
    for (const auto& mode : modes) {
        const std::pair<GLenum, bool> caps[] = {
            {GL_BLEND, mode.blend}, {GL_LIGHTING, mode.lighting}, {GL_NORMALIZE, mode.normalize}};
        for (auto cap : caps) cap.second ? glEnable(cap.first) : glDisable(cap.first);
        glBlendFunc(mode.src, mode.dst);
        for (Set* set : {&fire, &fireworks, &mixed}) {
            SCOPED_TRACE("mode " + std::to_string(&mode - modes) + ", set of " +
                         std::to_string(set->getNumParticles()));
            std::vector<GLfloat> own, batched;
            std::vector<unsigned char> expected = render(*set, false, own);
            std::pair<int, int> diff = compare(expected, render(*set, true, batched), 2);
            // Rounding of the eye-space corners may move an edge pixel; colours differ by at
            // most a unit or two elsewhere.
            EXPECT_GT(lit(expected), 5000);
            EXPECT_LE(diff.first, 20) << "largest difference " << diff.second;
            EXPECT_EQ(own, batched);
        }
    }
}

TEST_F(SystemDrawTest, AllDeadSetDrawsNothingAndTouchesNoMoreThanItsParticles) {
    Set set(texturePath);
    set.add(Particle::PARTICLE_TRIANGLE_STRIP, 3.0f)->setAlive(false);
    set.add(Particle::PARTICLE_POINT, 8.0f)->setAlive(false);
    glEnable(GL_CULL_FACE);  // states a live draw would reset
    glDepthMask(GL_FALSE);
    glEnable(GL_LINE_SMOOTH);
    std::vector<GLfloat> own, batched;
    EXPECT_EQ(lit(render(set, true, batched)), 0);
    EXPECT_EQ(lit(render(set, false, own)), 0);
    EXPECT_EQ(own, batched);
}
