# The files of Data/, as the game reads them; sourced by the bad-data scripts.
PictureFiles=(planet.bmp back.bmp waku_tate.bmp waku_yoko.bmp spaceshuttle.bmp title.bmp menu.bmp
  baku.bmp blackhole.bmp sun.bmp universe.bmp fixed.bmp whitehole.bmp line.bmp)
SoundFiles=(titlebgm.wav playbgm.wav select.wav mode.wav enter.wav bom.wav gage.wav sun.wav
  chain2.wav chain3.wav shuttle.wav pinch.wav)
IconFile=icon.bmp
DataFiles=("${PictureFiles[@]}" "${SoundFiles[@]}" "$IconFile")
