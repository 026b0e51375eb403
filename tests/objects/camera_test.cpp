// Rendering the World through a camera and copying the view out.
#include "object_fixture.h"

static const int FILL = 0x1234;

class CameraTest : public ObjectsTest {
 protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    dest_ = create_bitmap_ex(16, 400, 240);
    clear_to_color(dest_, FILL);
  }
  void TearDown() override {
    destroy_bitmap(dest_);
    ObjectsTest::TearDown();
  }
  // A main view of the usual size over a World of the given width.
  void main_view(int worldWidth, int background, int x) {
    begin_scene(worldWidth, 162, background);
    setup_camera(0, 314, 162);
    scroll_camera(0, x);
  }
  int view_pixel(int x, int y) { return pixel_at(Cameras[0].view, x, y); }
  GameObject *put(int type, float x, float y, int layer) {
    GameObject *obj = object_at(add_object(0, 0, layer, type, 0));
    if (obj) {
      obj->x = x;
      obj->y = y;
    }
    return obj;
  }
  BITMAP *dest_ = nullptr;
};

static int count_not_black(BITMAP *bmp) {
  int n = 0;
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) n += getpixel(bmp, x, y) != 0;
  return n;
}

TEST_F(CameraTest, ScrollingKeepsTheViewInsideTheWorld) {
  main_view(3000, 3, -50);
  EXPECT_EQ(Cameras[0].x, 0);
  scroll_camera(0, 5000);
  EXPECT_EQ(Cameras[0].x, 2686);
  scroll_camera(0, 1234);
  EXPECT_EQ(Cameras[0].x, 1234);
  EXPECT_EQ(Cameras[0].y, 0);
  EXPECT_EQ(Cameras[0].id, 0);

  // A World narrower than the view pins it left of the World.
  main_view(200, -1, 0);
  EXPECT_EQ(Cameras[0].x, -114);
  scroll_camera(0, 80);
  EXPECT_EQ(Cameras[0].x, -114);
}

TEST_F(CameraTest, CullsAtBothEdgesByTheFirstFrameSize) {
  main_view(1000, -1, 100);
  set_frame(88, 10, 10);
  GameObject *ball = put(56, 414.0f, 50.0f, 2);
  EXPECT_EQ(draw_object(0, ball), 0);
  ball->x = 413.0f;
  EXPECT_EQ(draw_object(0, ball), 1);
  ball->x = 90.0f;
  EXPECT_EQ(draw_object(0, ball), 0);
  ball->x = 91.0f;
  EXPECT_EQ(draw_object(0, ball), 1);
  ball->y = 162.0f;
  EXPECT_EQ(draw_object(0, ball), 0);
  ball->y = -10.0f;
  EXPECT_EQ(draw_object(0, ball), 0);
  ball->y = -9.0f;
  EXPECT_EQ(draw_object(0, ball), 1);
  remove_object(ball);

  // The figure's second picture is wider than its first; the first rules.
  set_frame(284, 10, 10);
  set_frame(285, 40, 10);
  GameObject *figure = put(7, 85.0f, 20.0f, 3);
  set_sequence(figure, 1);
  render_camera(0);
  EXPECT_EQ(count_not_black(Cameras[0].view), 0);
  figure->x = 95.0f;
  render_camera(0);
  EXPECT_EQ(view_pixel(0, 20), entry_colour(285));
  EXPECT_EQ(view_pixel(34, 29), entry_colour(285));
  EXPECT_EQ(view_pixel(35, 20), 0);
}

TEST_F(CameraTest, PositionsAreTruncatedTowardZero) {
  main_view(1000, -1, 0);
  GameObject *ball = put(56, -0.5f, -0.5f, 2);
  render_camera(0);
  EXPECT_EQ(view_pixel(0, 0), entry_colour(88));
  EXPECT_EQ(view_pixel(7, 7), entry_colour(88));
  EXPECT_EQ(view_pixel(8, 0), 0);
  ball->x = 20.9f;
  render_camera(0);
  EXPECT_EQ(view_pixel(20, 0), entry_colour(88));
  EXPECT_EQ(view_pixel(28, 0), 0);
}

TEST_F(CameraTest, LayersThenSlotsDecideWhatIsOnTop) {
  main_view(1000, -1, 0);
  GameObject *high = put(56, 10.0f, 10.0f, 5);
  put(59, 10.0f, 10.0f, 4);
  GameObject *later = put(53, 14.0f, 10.0f, 4);
  GameObject *top = put(109, 40.0f, 40.0f, 9);
  GameObject *over = put(57, 60.0f, 40.0f, 10);
  GameObject *under = put(58, 80.0f, 40.0f, -1);
  render_camera(0);
  EXPECT_EQ(view_pixel(12, 12), entry_colour(88));
  EXPECT_EQ(view_pixel(20, 12), entry_colour(322));
  EXPECT_EQ(view_pixel(40, 40), entry_colour(179));
  EXPECT_EQ(view_pixel(60, 40), 0);
  EXPECT_EQ(view_pixel(80, 40), 0);
  EXPECT_EQ(count_not_black(Cameras[0].view), 64 + 32 + 64);

  high->x = 200.0f;
  render_camera(0);
  EXPECT_EQ(view_pixel(12, 12), entry_colour(94));
  EXPECT_EQ(view_pixel(15, 12), entry_colour(322));
  later->layer = 3;
  top->layer = 0;
  render_camera(0);
  EXPECT_EQ(view_pixel(15, 12), entry_colour(94));
  EXPECT_EQ(view_pixel(40, 40), entry_colour(179));
  remove_object(top);
  over->layer = 9;
  under->layer = 0;
  render_camera(0);
  EXPECT_EQ(view_pixel(40, 40), 0);
  EXPECT_EQ(view_pixel(60, 40), entry_colour(127));
  EXPECT_EQ(view_pixel(80, 40), entry_colour(89));
}

TEST_F(CameraTest, BackgroundIsCutAtTheCameraPosition) {
  BITMAP *track = set_frame(3, 3000, 162);
  for (int x = 0; x < 3000; x++) vline(track, x, 0, 161, 0x0100 + x);
  rectfill(track, 2700, 100, 2710, 110, MASK_COLOUR_16);
  main_view(3000, 3, 5000);
  render_camera(0);
  EXPECT_EQ(view_pixel(0, 0), 0x0100 + 2686);
  EXPECT_EQ(view_pixel(313, 161), 0x0100 + 2999);
  EXPECT_EQ(view_pixel(14, 100), MASK_COLOUR_16);

  // Mask colour in the view lets the destination show; black does not.
  blit_camera(dest_, 0, 3, 51, 1);
  EXPECT_EQ(pixel_at(dest_, 3, 51), 0x0100 + 2686);
  EXPECT_EQ(pixel_at(dest_, 3 + 14, 51 + 100), FILL);
  EXPECT_EQ(pixel_at(dest_, 3 + 313, 51 + 161), 0x0100 + 2999);
  EXPECT_EQ(pixel_at(dest_, 3 + 314, 51), FILL);
  EXPECT_EQ(pixel_at(dest_, 2, 51), FILL);

  World.background = -1;
  put(56, 2700.0f, 0.0f, 1);
  render_camera(0);
  EXPECT_EQ(count_not_black(Cameras[0].view), 64);
  blit_camera(dest_, 0, 3, 51, 1);
  EXPECT_EQ(pixel_at(dest_, 3 + 14, 51 + 100), 0);
  EXPECT_EQ(pixel_at(dest_, 3 + 14, 51), entry_colour(88));
}

TEST_F(CameraTest, EnlargedInsetCoversTwiceItsSize) {
  main_view(1700, -1, 0);
  setup_camera(1, 32, 18);
  Cameras[1].x = 500;
  Cameras[1].y = 60;
  put(56, 504.0f, 64.0f, 2);
  render_camera(1);
  blit_camera(dest_, 1, 10, 10, 2);
  EXPECT_EQ(pixel_at(dest_, 10, 10), 0);
  EXPECT_EQ(pixel_at(dest_, 73, 45), 0);
  EXPECT_EQ(pixel_at(dest_, 74, 10), FILL);
  EXPECT_EQ(pixel_at(dest_, 10, 46), FILL);
  EXPECT_EQ(pixel_at(dest_, 9, 10), FILL);
  EXPECT_EQ(pixel_at(dest_, 18, 18), entry_colour(88));
  EXPECT_EQ(pixel_at(dest_, 33, 33), entry_colour(88));
  EXPECT_EQ(pixel_at(dest_, 34, 34), 0);
}

TEST_F(CameraTest, CamerasWithoutAViewDrawNothing) {
  begin_scene(628, 162, -1);
  GameObject *shot = put(51, 0.0f, 0.0f, 5);
  // Before setup_camera a camera is 0 x 0.
  render_camera(1);
  blit_camera(dest_, 1, 0, 0, 1);
  EXPECT_EQ(draw_object(1, shot), 0);
  EXPECT_EQ(pixel_at(dest_, 0, 0), FILL);

  setup_camera(0, 0, 10);
  EXPECT_EQ(Cameras[0].view, nullptr);
  render_camera(0);
  blit_camera(dest_, 0, 0, 0, 2);
  EXPECT_EQ(draw_object(0, shot), 0);

  setup_camera(0, 314, 162);
  end_scene();
  EXPECT_EQ(Cameras[0].view, nullptr);
  EXPECT_EQ(Cameras[1].view, nullptr);
  render_camera(0);
  blit_camera(dest_, 0, 0, 0, 1);
  EXPECT_EQ(draw_object(0, shot), 0);
  EXPECT_EQ(pixel_at(dest_, 0, 0), FILL);
  render_camera(2);
  render_camera(-1);
  EXPECT_EQ(draw_object(5, shot), 0);
}
