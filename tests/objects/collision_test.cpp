// Pixel-exact collision between objects.
#include "object_fixture.h"

class CollisionTest : public ObjectsTest {
 protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    // The ball is see-through but for one pixel at its right edge, the
    // landing mark is solid.
    putpixel(set_frame(ENTRY_BALL, 10, 10, true), 9, 5, entry_colour(ENTRY_BALL));
    set_frame(ENTRY_LANDING_MARK, 10, 10);
    ball_ = put(TYPE_BALL, 0, 0, 2);
    mark_ = put(TYPE_LANDING_MARK, 0, 0, 2);
  }
  // Places the mark and checks that both orders agree.
  int collide_at(float x, float y) {
    mark_->x = x;
    mark_->y = y;
    int ab = objects_collide(ball_, mark_);
    EXPECT_EQ(objects_collide(mark_, ball_), ab) << "at " << x << ", " << y;
    return ab;
  }
  GameObject *ball_ = nullptr;
  GameObject *mark_ = nullptr;
};

TEST_F(CollisionTest, OnlyOpaquePixelsOnBothSidesCollide) {
  // Positions meet pixels by truncation toward zero.
  struct Case { float ballX; int flipped; float markX, markY; int hit; };
  const Case cases[] = {
      {0, 0, 10, 0, 0},  {0, 0, 9, 0, 1},    {0, 0, 9, -4, 1},  {0, 0, 9, 6, 0},     {0, 0, 9, -5, 0},
      {0, 0, -9, 0, 0},  {0, 0, 3, 3, 1},    {0, 0, 9.9f, 5.9f, 1}, {0.9f, 0, 10, 0, 0}, {-0.9f, 0, 9, 0, 1},
      // A flipped object collides by its mirrored image.
      {0, 1, 9, 0, 0},   {0, 1, -9, 0, 1},   {0, 1, -9, 6, 0},
  };
  for (const Case &c : cases) {
    ball_->x = c.ballX;
    ball_->flipped = c.flipped;
    EXPECT_EQ(collide_at(c.markX, c.markY), c.hit)
        << "ball at " << c.ballX << (c.flipped ? " flipped" : "") << ", mark at " << c.markX << ", " << c.markY;
  }
}

TEST_F(CollisionTest, RemovedObjectsNeverCollide) {
  EXPECT_EQ(collide_at(5.0f, 0.0f), 1);
  remove_object(mark_);
  EXPECT_EQ(collide_at(5.0f, 0.0f), 0);
  EXPECT_EQ(objects_collide(ball_, nullptr), 0);
  EXPECT_EQ(objects_collide(nullptr, ball_), 0);
}

TEST_F(CollisionTest, CollidesWithTheFrameShownNow) {
  // The shot's picture has its opaque pixel at the left edge, the ball's
  // at the right.
  putpixel(set_frame(ENTRY_SHOT, 10, 10, true), 0, 5, entry_colour(ENTRY_SHOT));
  GameObject *shot = put(TYPE_SHOT, 20, 0, 2);
  mark_->x = 21.0f;
  EXPECT_EQ(objects_collide(shot, mark_), 0);
  shot->cur.frames[0] = 88;
  EXPECT_EQ(objects_collide(shot, mark_), 1);
}

// A 5 x 5 see-through bitmap with one opaque pixel.
static BITMAP *dot_bitmap(int dx, int dy) {
  BITMAP *bmp = create_bitmap_ex(16, 5, 5);
  clear_to_color(bmp, MASK_COLOUR_16);
  putpixel(bmp, dx, dy, 0x1234);
  return bmp;
}

TEST_F(CollisionTest, PixelTestWalksTheOverlapOfTwoPlacedBitmaps) {
  BITMAP *a = dot_bitmap(4, 4);
  BITMAP *b = dot_bitmap(1, 2);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 3, 2), 1);
  EXPECT_EQ(pixel_overlap(b, a, 3, 2, 0, 0), 1);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 3, 3), 0);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 5, 2), 0);
  EXPECT_EQ(pixel_overlap(a, b, 0, 0, 30, 30), 0);
  EXPECT_EQ(pixel_overlap(a, b, 100, 100, 103, 102), 1);

  // Only high-colour bitmaps are compared.
  BITMAP *deep = create_bitmap_ex(32, 5, 5);
  clear_to_color(deep, makecol32(1, 2, 3));
  EXPECT_EQ(pixel_overlap(deep, b, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel_overlap(b, deep, 0, 0, 0, 0), 0);
  EXPECT_EQ(pixel_overlap(nullptr, b, 0, 0, 0, 0), 0);
  destroy_bitmap(deep);
  destroy_bitmap(a);
  destroy_bitmap(b);
}
