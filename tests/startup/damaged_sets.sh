# Damaged image sets for the start-up tests, each written as tarkoni.dat in
# the current folder. Sourced; needs GOOD_SET (a good set) and BMPS (the
# folder of its pictures) set, and the library's dat tool.
# NAME:FUNCTION for each case the start-up tests run.
DAMAGED_SETS="missing:missing empty:empty random_bytes:noise header_then_garbage:header_then_garbage cut_in_headers:cut_in_headers only_47_bitmaps:only_47 non_bitmap_object:non_bitmap"

noise() { head -c 5000 /dev/urandom > tarkoni.dat; }
empty() { : > tarkoni.dat; }
missing() { :; }
header_then_garbage() { head -c 12 "$GOOD_SET" > tarkoni.dat; head -c 5000 /dev/urandom >> tarkoni.dat; }
cut_in_headers() { head -c 40 "$GOOD_SET" > tarkoni.dat; }
pack() { dat -a -t BMP -bpp 16 -n0 -s1 tarkoni.dat "$@" > /dev/null; }
only_47() { pack $(ls "$BMPS"/*.bmp | head -n 47); }
non_bitmap() {
  pack $(ls "$BMPS"/*.bmp | head -n 20)
  echo "not a picture" > blob.txt
  dat -a -t DATA -s1 tarkoni.dat blob.txt > /dev/null
  dat -a -t BMP -bpp 16 -s1 tarkoni.dat $(ls "$BMPS"/*.bmp | tail -n 27) > /dev/null
}

