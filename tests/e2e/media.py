"""Media folders for the tests: short generated clips and the settings file."""

import collections
import subprocess

# Clip grounds, told apart on screen by colour, inside a BORDER band that shows how much of the
# picture's edge the window cuts off; the clips' size and the band's width.
RED, GREEN, BLUE, BORDER = (220, 30, 30), (30, 170, 60), (30, 60, 220), (230, 40, 230)
CLIP_WIDTH, CLIP_HEIGHT, CLIP_BORDER = 320, 240, 24


def ffmpeg(path, *arguments):
    """An MPEG-1 system stream made by ffmpeg."""
    subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-threads",
                    "1", *arguments, "-f", "mpeg", str(path)], check=True, timeout=60)


def make_clip(path, ground, seconds, plain=False):
    """A clip at 25 fps: the ground inside a BORDER band, a white square moving across it and
    slowly down, so that no two moments look alike; plain, 64 x 48 pixels of the ground only."""
    colour = lambda rgb: "0x%02x%02x%02x" % rgb
    graph = f"color=c={colour(ground)}:s=64x48:r=25:d={seconds}" if plain else (
        f"color=c={colour(ground)}:s={CLIP_WIDTH}x{CLIP_HEIGHT}:r=25:d={seconds}[g];"
        f"color=c=white:s=32x32:r=25:d={seconds}[s];"
        f"[g][s]overlay=shortest=1:x='{CLIP_BORDER}+mod(t*120,{CLIP_WIDTH - 2 * CLIP_BORDER - 32})'"
        f":y='min(80+t*6,150)',drawbox=x=0:y=0:w=iw:h=ih:color={colour(BORDER)}:t={CLIP_BORDER},"
        "format=yuv420p")
    ffmpeg(path, "-filter_complex", graph, "-c:v", "mpeg1video", "-q:v", "3", "-g", "12", "-an")


def write_settings(folder, settings, titles, files, font=None):
    """quorix.ini in Windows-1252 with CRLF line ends, as a disc authored on Windows has it:
    titles are clip00, clip01 ..., files maps each title to its file name."""
    sections = {"settings": settings.items(), "font": (font or {}).items(),
                "cliplist": ((f"clip{i:02d}", title) for i, title in enumerate(titles)),
                "filelist": files.items()}
    text = "".join(f"[{name}]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys) + "\r\n"
                   for name, keys in sections.items())
    (folder / "quorix.ini").write_bytes(text.encode("cp1252"))


# A catalogue entry: its title, its file's name in the settings, its ground colour, its length in
# seconds and, where it differs, the file's name on disc.
Clip = collections.namedtuple("Clip", "title name colour seconds on_disc", defaults=[None])


def make_disc(folder, clips, settings, font=None):
    folder.mkdir(parents=True, exist_ok=True)
    for clip in clips:
        make_clip(folder / (clip.on_disc or clip.name), clip.colour, clip.seconds)
    write_settings(folder, settings, [c.title for c in clips], {c.title: c.name for c in clips},
                   font)
    return folder
