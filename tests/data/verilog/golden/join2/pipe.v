//
// created by NOVRA
//	macro    : pipe
//	function : control pipes
//	update   : @TIME@
//


module pipe_2_1_r(
i_1__r_i, i_2__r_i,
req_out,
o_1_a_i,
reset
);
input	i_1__r_i, i_2__r_i;
output	req_out;
input	o_1_a_i;
input	reset;
	wire	req, ack;
	wire tnm_1_1_r;
	assign tnm_1_1_r = i_1__r_i;
	wire tnm_1_2_r;
	assign tnm_1_2_r = i_2__r_i;
/* synopsys dc_script_begin
   set_dont_touch {mc_1_1_r}
*/
	muller_c_r	mc_1_1_r(
		.a(tnm_1_1_r),
		.b(tnm_1_2_r),
		.q(tnm_2_1_r),
		.reset(reset));
	assign req = tnm_2_1_r;
	assign	ack = o_1_a_i;
/* synopsys dc_script_begin
   set_dont_touch mc 
*/
	muller_c_r	mc(.a(req), .b(~ack), .q(req_out), .reset(reset));
endmodule
