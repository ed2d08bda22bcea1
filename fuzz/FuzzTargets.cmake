# The fuzz targets, one per entry point that reads outside input; each is
# fuzz/targets/<name>.cpp with its seed corpus in fuzz/corpus/<name>/.
# Read by the fuzz build (fuzz/CMakeLists.txt) and by the main build, which
# registers one CTest test per target.
set(HX642_FUZZ_TARGETS
  reply_framer
  data_reply
  system_info
  sensor_block
  data_record
  data_file_scan
  record_search
  playback_reader
  event_file
  playback_events
  gps_read_framing
  nmea_sentence
  gpsd_stream
  ini_file
  settings_load
  palette_file
  waypoint_list
)
